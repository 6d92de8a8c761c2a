#include "ui/common/PaintedAccessible.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

// One painted item. It holds no object of its own: Qt keeps it in its cache by id, and the
// widget's interface deletes it when the outline changes or the widget goes.
class PaintedItemAccessible final : public QAccessibleInterface {
public:
    PaintedItemAccessible(QWidget* widget, QAccessibleInterface* parent, const AccessibleItem& item)
        : m_widget(widget), m_parent(parent), m_item(item) {}

    void setChildren(std::vector<QAccessibleInterface*> children) { m_children = std::move(children); }
    const AccessibleItem& item() const { return m_item; }

    bool isValid() const override { return !m_widget.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_widget ? m_widget->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override {
        for (QAccessibleInterface* c : m_children)
            if (c->state().focused) return c;
        return nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (QAccessibleInterface* c : m_children)
            if (c->rect().contains(x, y)) return c;
        return nullptr;
    }
    QAccessibleInterface* parent() const override { return m_parent; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < static_cast<int>(m_children.size()) ? m_children[static_cast<std::size_t>(index)]
                                                                           : nullptr;
    }
    int childCount() const override { return static_cast<int>(m_children.size()); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto it = std::find(m_children.begin(), m_children.end(), child);
        return it == m_children.end() ? -1 : static_cast<int>(it - m_children.begin());
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return m_item.name;
        if (t == QAccessible::Description) return m_item.description;
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!m_widget || m_item.rect.isNull()) return {};
        return QRect(m_widget->mapToGlobal(m_item.rect.topLeft()), m_item.rect.size());
    }
    QAccessible::Role role() const override { return m_item.role; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        if (m_item.rect.isEmpty()) s.invisible = true;
        if (m_item.focused) {
            s.focusable = true;
            s.focused = m_widget && m_widget->hasFocus();
        }
        return s;
    }

private:
    QPointer<QWidget> m_widget;
    QAccessibleInterface* m_parent;
    AccessibleItem m_item;
    std::vector<QAccessibleInterface*> m_children;
};

// Registers the interfaces of items (children of parent) and of their children, noting every id.
std::vector<QAccessibleInterface*> build(QWidget* widget, QAccessibleInterface* parent,
                                         const std::vector<AccessibleItem>& items, std::vector<QAccessible::Id>& ids) {
    std::vector<QAccessibleInterface*> made;
    for (const AccessibleItem& item : items) {
        auto* iface = new PaintedItemAccessible(widget, parent, item);
        ids.push_back(QAccessible::registerAccessibleInterface(iface));
        iface->setChildren(build(widget, iface, item.children, ids));
        made.push_back(iface);
    }
    return made;
}

QAccessibleInterface* findFocused(const std::vector<QAccessibleInterface*>& items) {
    for (QAccessibleInterface* iface : items) {
        if (static_cast<PaintedItemAccessible*>(iface)->item().focused) return iface;
        std::vector<QAccessibleInterface*> children;
        for (int i = 0; i < iface->childCount(); ++i) children.push_back(iface->child(i));
        if (QAccessibleInterface* found = findFocused(children)) return found;
    }
    return nullptr;
}

}  // namespace

PaintedWidgetAccessible::PaintedWidgetAccessible(QWidget* widget, QAccessible::Role role, QString name,
                                                 AccessibleOutline outline)
    : QAccessibleWidget(widget, role), m_name(std::move(name)), m_outline(std::move(outline)) {}

PaintedWidgetAccessible::~PaintedWidgetAccessible() { clear(); }

QString PaintedWidgetAccessible::text(QAccessible::Text t) const {
    const QString own = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && own.isEmpty()) return m_name;
    return own;
}

void PaintedWidgetAccessible::clear() const {
    // Children first: a reader that still holds an id finds nothing rather than a dead parent.
    for (auto it = m_ids.rbegin(); it != m_ids.rend(); ++it) QAccessible::deleteAccessibleInterface(*it);
    m_ids.clear();
    m_top.clear();
}

void PaintedWidgetAccessible::sync() const {
    if (!isValid()) return;
    std::vector<AccessibleItem> items = m_outline();
    if (items == m_items) return;
    clear();
    m_items = std::move(items);
    m_top = build(widget(), const_cast<PaintedWidgetAccessible*>(this), m_items, m_ids);
}

int PaintedWidgetAccessible::widgetChildCount() const { return QAccessibleWidget::childCount(); }

int PaintedWidgetAccessible::childCount() const {
    sync();
    return widgetChildCount() + static_cast<int>(m_top.size());
}

QAccessibleInterface* PaintedWidgetAccessible::child(int index) const {
    const int widgets = widgetChildCount();
    if (index < widgets) return QAccessibleWidget::child(index);
    sync();
    const auto at = static_cast<std::size_t>(index - widgets);
    return at < m_top.size() ? m_top[at] : nullptr;
}

int PaintedWidgetAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto it = std::find(m_top.begin(), m_top.end(), child);
    if (it != m_top.end()) return widgetChildCount() + static_cast<int>(it - m_top.begin());
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* PaintedWidgetAccessible::focusedItem() const {
    sync();
    return findFocused(m_top);
}

QAccessibleInterface* PaintedWidgetAccessible::focusChild() const {
    if (widget()->hasFocus())
        if (QAccessibleInterface* item = focusedItem()) return item;
    return QAccessibleWidget::focusChild();
}

void announcePaintedFocus(QWidget* widget) {
    if (!QAccessible::isActive()) return;
    auto* painted = dynamic_cast<PaintedWidgetAccessible*>(QAccessible::queryAccessibleInterface(widget));
    if (!painted) return;
    if (QAccessibleInterface* item = painted->focusedItem()) {
        QAccessibleEvent event(item, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}
