#include "controls/StringGridDelegate.h"

#include "controls/InplaceEdit.h"
#include "controls/LXStringGrid.h"

#include <QPainter>

TStringGridDelegate::TStringGridDelegate(TLXStringGrid *grid)
    : QStyledItemDelegate(grid), FGrid(grid)
{
}

void TStringGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    if (!FGrid->IsFixedCell(index.row(), index.column())) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->fillRect(option.rect, FGrid->FixedColor());
    painter->drawText(option.rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data().toString());
}

QWidget *TStringGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                           const QModelIndex &index) const
{
    if (FGrid->IsFixedCell(index.row(), index.column()))
        return nullptr;
    auto *editor = new TInplaceEdit(parent);
    editor->setFrame(false);
    return editor;
}
