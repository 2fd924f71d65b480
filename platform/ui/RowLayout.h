#pragma once

#include <QBoxLayout>
#include <QWidget>

#include <initializer_list>

// A row of controls laid out in one line, for the windows built by hand:
//     layout->addLayout(Row({Space(24), label, {edit, 1}, browse}));
// puts an indent, a label, an edit that takes the spare width and a button side by side. An entry is a
// widget (with the share of spare width it takes), a layout, a fixed space or a stretch.
namespace CorvRows {

struct RowItem
{
    enum Kind { Widget, Layout, Space, Stretch };

    RowItem(QWidget *widget, int stretch = 0) : kind(Widget), widget(widget), amount(stretch) {}
    RowItem(QLayout *layout, int stretch = 0) : kind(Layout), layout(layout), amount(stretch) {}

    Kind kind;
    QWidget *widget = nullptr;
    QLayout *layout = nullptr;
    int amount = 0;

private:
    friend RowItem Space(int pixels);
    friend RowItem Stretch(int share);
    RowItem(Kind kind, int amount) : kind(kind), amount(amount) {}
};

// A fixed gap of so many pixels.
inline RowItem Space(int pixels) { return RowItem(RowItem::Space, pixels); }
// Spare width, shared with the other stretches and widgets by their shares.
inline RowItem Stretch(int share = 0) { return RowItem(RowItem::Stretch, share); }

// Adds the entries to the layout in order.
inline void AddItems(QBoxLayout *layout, std::initializer_list<RowItem> items)
{
    for (const RowItem &item : items) {
        switch (item.kind) {
        case RowItem::Widget:
            layout->addWidget(item.widget, item.amount);
            break;
        case RowItem::Layout:
            layout->addLayout(item.layout, item.amount);
            break;
        case RowItem::Space:
            layout->addSpacing(item.amount);
            break;
        case RowItem::Stretch:
            layout->addStretch(item.amount);
            break;
        }
    }
}

// A new horizontal row holding the entries, for the caller to add to its layout.
inline QHBoxLayout *Row(std::initializer_list<RowItem> items)
{
    auto *row = new QHBoxLayout;
    AddItems(row, items);
    return row;
}

} // namespace CorvRows
