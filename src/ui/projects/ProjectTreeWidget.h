#pragma once

#include <QTreeWidget>

class QMimeData;

// The tree of the project tree dialog. It leaves every decision to the dialog and reports:
// a drop of one of its items on another (only a drop on an item that is neither the dragged
// one nor below it is offered), a context menu request and a double-click, both only over an
// item's label or icon. A right click does not change the selection, and label edits are
// limited to what a project name's field stores.
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
    // The item whose label or icon lies at pos (viewport coordinates); nullptr elsewhere,
    // the empty part of a row included.
    QTreeWidgetItem* labelItemAt(const QPoint& pos) const;
    // True while a label is being edited.
    bool isEditingLabel() const { return state() == QAbstractItemView::EditingState; }

signals:
    void itemDropped(QTreeWidgetItem* dragged, QTreeWidgetItem* target);
    // item is nullptr away from any item's label; globalPos is where the menu goes.
    void contextMenuAsked(QTreeWidgetItem* item, const QPoint& globalPos);
    // A double-click of the left button on item's label or icon.
    void labelDoubleClicked(QTreeWidgetItem* item);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Shift+F10 opens the context menu, as the Menu key does.
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool isOwnDrag(const QMimeData* mime) const;
    void setDropTarget(QTreeWidgetItem* item);

    // Persistent indexes turn invalid when their item goes, so they never dangle.
    QPersistentModelIndex m_dragged;
    QPersistentModelIndex m_dropTarget;
};
