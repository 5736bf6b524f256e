#pragma once

#include <QStyledItemDelegate>

class TLXStringGrid;

// Draws a string grid's fixed cells in its FixedColor and edits the other
// cells with a TInplaceEdit; a cell keeps its text when the typed one holds
// characters the code page cannot store.
class TStringGridDelegate : public QStyledItemDelegate
{
public:
    explicit TStringGridDelegate(TLXStringGrid *grid);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

private:
    TLXStringGrid *FGrid;
};
