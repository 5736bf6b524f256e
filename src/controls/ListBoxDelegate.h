#pragma once

#include <QStyledItemDelegate>

class TLXListBox;

// Draws a list box's items: tab characters jump to the list's tab stops,
// owner-drawn styles make every item ItemHeight high, and with Columns each
// item takes the width of one column, else at least the list's ScrollWidth,
// so that the list's own layout gives the scroll range.
class TListBoxDelegate : public QStyledItemDelegate
{
public:
    explicit TListBoxDelegate(TLXListBox *list);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    // Items read and align as the list's reading order asks.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    TLXListBox *FList;
};
