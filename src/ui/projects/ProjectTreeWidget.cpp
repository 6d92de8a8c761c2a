#include "ui/projects/ProjectTreeWidget.h"

#include "core/store/ProjectRecord.h"
#include "ui/common/FieldValidator.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

const QString kDragFormat = QStringLiteral("application/x-quillory-project-item");

// Lets an edited label hold no more than a project name's field stores.
class NameDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setObjectName(QStringLiteral("labelEdit"));
            line->setMaxLength(ProjectTreeWidget::kNameCharacters);
            FieldValidator::install(line, ql::ProjectRecord::kNameWidth);
        }
        return editor;
    }
};

}  // namespace

ProjectTreeWidget::ProjectTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setItemDelegate(new NameDelegate(this));
    header()->setStretchLastSection(true);
}

// The token ties the data to this widget, so a drag from another window or program is refused.
QMimeData* ProjectTreeWidget::dragData(QTreeWidgetItem* item) {
    m_dragged = QPersistentModelIndex(indexFromItem(item));
    auto* mime = new QMimeData;
    mime->setData(kDragFormat, QByteArray::number(reinterpret_cast<quintptr>(this)));
    return mime;
}

bool ProjectTreeWidget::isOwnDrag(const QMimeData* mime) const {
    return mime && mime->hasFormat(kDragFormat) &&
           mime->data(kDragFormat) == QByteArray::number(reinterpret_cast<quintptr>(this)) && m_dragged.isValid();
}

QTreeWidgetItem* ProjectTreeWidget::dropTargetAt(const QPoint& pos) const {
    QTreeWidgetItem* dragged = itemFromIndex(m_dragged);
    QTreeWidgetItem* target = itemAt(pos);
    if (!dragged || !target) return nullptr;
    for (QTreeWidgetItem* at = target; at; at = at->parent())
        if (at == dragged) return nullptr;
    return target;
}

void ProjectTreeWidget::startDrag(Qt::DropActions) {
    QTreeWidgetItem* item = currentItem();
    if (!item) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(dragData(item));
    drag->setPixmap(style()->standardIcon(QStyle::SP_FileIcon).pixmap(32, 32));
    drag->setHotSpot(QPoint(-8, -8));
    // The move itself is the dialog's business (itemDropped); whatever exec returns, the
    // view must not remove the source rows on its own.
    drag->exec(Qt::MoveAction);
    m_dragged = QPersistentModelIndex();
    setDropTarget(nullptr);
}

void ProjectTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (!isOwnDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    setState(QAbstractItemView::DraggingState);
    event->acceptProposedAction();
}

void ProjectTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    QTreeWidget::dragMoveEvent(event);  // scrolls near the edges
    QTreeWidgetItem* target = isOwnDrag(event->mimeData()) ? dropTargetAt(event->position().toPoint()) : nullptr;
    setDropTarget(target);
    if (target) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ProjectTreeWidget::dragLeaveEvent(QDragLeaveEvent* event) {
    setDropTarget(nullptr);
    QTreeWidget::dragLeaveEvent(event);
}

void ProjectTreeWidget::dropEvent(QDropEvent* event) {
    stopAutoScroll();
    setState(QAbstractItemView::NoState);
    setDropTarget(nullptr);
    QTreeWidgetItem* target = isOwnDrag(event->mimeData()) ? dropTargetAt(event->position().toPoint()) : nullptr;
    if (!target) {
        event->ignore();
        return;
    }
    QTreeWidgetItem* dragged = itemFromIndex(m_dragged);
    m_dragged = QPersistentModelIndex();
    event->setDropAction(Qt::MoveAction);
    event->accept();
    emit itemDropped(dragged, target);
}

QTreeWidgetItem* ProjectTreeWidget::labelItemAt(const QPoint& pos) const {
    QTreeWidgetItem* item = itemAt(pos);
    if (!item) return nullptr;
    const QModelIndex index = indexFromItem(item);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = item->text(0);
    option.icon = item->icon(0);
    if (!option.icon.isNull()) option.features |= QStyleOptionViewItem::HasDecoration;
    // The text rectangle spans the rest of the row; only the text itself (with the style's
    // margins) and the icon count as the item.
    const QRect textArea = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, this) + 1;
    QRect label = textArea;
    label.setWidth(std::min(textArea.width(), option.fontMetrics.horizontalAdvance(option.text) + 2 * margin));
    QRect icon;
    if (!option.icon.isNull()) icon = style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
    return label.contains(pos) || icon.contains(pos) ? item : nullptr;
}

void ProjectTreeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        if (QTreeWidgetItem* item = labelItemAt(event->position().toPoint())) emit labelDoubleClicked(item);
}

void ProjectTreeWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();  // the menu targets the item under the pointer; the selection stays
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void ProjectTreeWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        contextMenuEvent(&menu);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void ProjectTreeWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) {
        QTreeWidgetItem* item = currentItem();
        const QPoint at = item ? visualItemRect(item).bottomLeft() : viewport()->rect().center();
        emit contextMenuAsked(item, viewport()->mapToGlobal(at));
    } else {
        emit contextMenuAsked(labelItemAt(event->pos()), event->globalPos());
    }
    event->accept();
}

void ProjectTreeWidget::setDropTarget(QTreeWidgetItem* item) {
    const QPersistentModelIndex index(item ? indexFromItem(item) : QModelIndex());
    if (index == m_dropTarget) return;
    m_dropTarget = index;
    viewport()->update();
}

void ProjectTreeWidget::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    if (!m_dropTarget.isValid()) return;
    // Outline the target and underline it: the dragged project lands right after it.
    const QRect r = visualRect(m_dropTarget);
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 3), palette().color(QPalette::Highlight));
}
