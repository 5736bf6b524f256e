#include "controls/ListBoxDelegate.h"

#include "controls/LXListBox.h"

#include <QApplication>
#include <QPainter>
#include <QTextOption>

TListBoxDelegate::TListBoxDelegate(TLXListBox *list) : QStyledItemDelegate(list), FList(list) {}

void TListBoxDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    if (!text.contains(QLatin1Char('\t'))) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The toolkit's own tab stops are not the list's: the item is drawn
    // without its text, and the text with the list's stops.
    opt.text.clear();
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    QTextOption textOption(opt.displayAlignment);
    textOption.setTextDirection(opt.direction);
    textOption.setTabStopDistance(FList->TabStop());
    textOption.setWrapMode(QTextOption::NoWrap);
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(QPalette::Normal, opt.state & QStyle::State_Selected
                                                            ? QPalette::HighlightedText
                                                            : QPalette::Text));
    painter->drawText(QRectF(textRect.adjusted(2, 0, -2, 0)), text, textOption);
    painter->restore();
}

void TListBoxDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = FList->ShownAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    option->direction = FList->ReadingDirection();
}

QSize TListBoxDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (FList->OwnerDrawn())
        size.setHeight(FList->ItemHeight());
    if (FList->Columns() > 0)
        size.setWidth(FList->ColumnWidth());
    else
        size.setWidth(std::max(size.width(), FList->ScrollWidth()));
    return size;
}
