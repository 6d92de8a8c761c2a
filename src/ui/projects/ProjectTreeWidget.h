#pragma once

#include <QTreeWidget>

class QMimeData;

// The tree of the project tree dialog. It leaves every decision to the dialog and reports:
// a drop of one of its items on another (only a drop on an item that is neither the dragged
// one nor below it is offered) and a context menu request. A right click does not change the
// selection, and label edits are limited to the characters a project name keeps.
class ProjectTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kNameCharacters = 60;

    explicit ProjectTreeWidget(QWidget* parent = nullptr);

    // The drag data for item; a drop of it on this tree reports item as the dragged one.
    // startDrag uses it; tests hand it to synthetic drop events.
    QMimeData* dragData(QTreeWidgetItem* item);
    // The item a drop at pos (viewport coordinates) would land after; nullptr when the drop
    // is refused there.
    QTreeWidgetItem* dropTargetAt(const QPoint& pos) const;
    // True while a label is being edited.
    bool isEditingLabel() const { return state() == QAbstractItemView::EditingState; }

signals:
    void itemDropped(QTreeWidgetItem* dragged, QTreeWidgetItem* target);
    // item is nullptr away from any item; globalPos is where the menu goes.
    void contextMenuAsked(QTreeWidgetItem* item, const QPoint& globalPos);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool isOwnDrag(const QMimeData* mime) const;
    void setDropTarget(QTreeWidgetItem* item);

    // Persistent indexes turn invalid when their item goes, so they never dangle.
    QPersistentModelIndex m_dragged;
    QPersistentModelIndex m_dropTarget;
};
