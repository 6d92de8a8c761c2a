#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

// What a screen reader finds in a widget that paints its content instead of holding child
// widgets: a tree of items, each with a role, the texts read for it and where it is drawn.
struct AccessibleItem {
    QAccessible::Role role = QAccessible::StaticText;
    QString name;
    QString description;
    QRect rect;            // in the painting widget's coordinates
    bool focused = false;  // has the widget's keyboard focus (read while the widget has it)
    std::vector<AccessibleItem> children;

    bool operator==(const AccessibleItem&) const = default;
};

// The painted widget's items as it shows them now.
using AccessibleOutline = std::function<std::vector<AccessibleItem>()>;

// The accessible interface of a painted widget: its child widgets first, then the items of its
// outline. The outline is asked again at every look at the children, and the items' interfaces
// are made anew when it changed, so a reader never finds a row that is no longer shown.
class PaintedWidgetAccessible : public QAccessibleWidget {
public:
    // name is the widget's accessible name when the widget sets none itself.
    PaintedWidgetAccessible(QWidget* widget, QAccessible::Role role, QString name, AccessibleOutline outline);
    ~PaintedWidgetAccessible() override;
    PaintedWidgetAccessible(const PaintedWidgetAccessible&) = delete;
    PaintedWidgetAccessible& operator=(const PaintedWidgetAccessible&) = delete;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    // The focused item while the widget has the keyboard focus, else the focused child widget.
    QAccessibleInterface* focusChild() const override;

    // The interface of the painted item marked focused; null when none is.
    QAccessibleInterface* focusedItem() const;

private:
    void sync() const;
    void clear() const;
    int widgetChildCount() const;

    QString m_name;
    AccessibleOutline m_outline;
    mutable std::vector<AccessibleItem> m_items;
    mutable std::vector<QAccessibleInterface*> m_top;  // the items' interfaces, top level
    mutable std::vector<QAccessible::Id> m_ids;        // every item interface, to delete them
};

// Tells assistive technology that the item now marked focused in widget's outline took the
// keyboard focus. Does nothing while no reader listens or no item is marked.
void announcePaintedFocus(QWidget* widget);
