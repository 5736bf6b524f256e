#include "controls/StringGridDelegate.h"

#include "controls/InplaceEdit.h"
#include "controls/LXStringGrid.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "platform/UnstorableText.h"

#include <QPainter>

TStringGridDelegate::TStringGridDelegate(TLXStringGrid *grid)
    : QStyledItemDelegate(grid), FGrid(grid)
{
}

void TStringGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    if (!FGrid->IsFixedCell(index.row(), index.column())) {
        QStyleOptionViewItem opt = option;
        // Without goDrawFocusSelected the current cell does not show as
        // selected.
        // The view has filled a selected cell's row panel already.
        if (index == FGrid->currentIndex() && !(FGrid->Options() & goDrawFocusSelected) &&
            (opt.state & QStyle::State_Selected)) {
            opt.state &= ~QStyle::State_Selected;
            painter->fillRect(opt.rect, opt.palette.brush(QPalette::Base));
        }
        if (!FGrid->DefaultDrawing()) {
            // Only the background: the texts are left to whoever draws the cells.
            painter->fillRect(opt.rect, opt.state & QStyle::State_Selected
                                            ? opt.palette.brush(QPalette::Highlight)
                                            : opt.palette.brush(QPalette::Base));
            return;
        }
        QStyledItemDelegate::paint(painter, opt, index);
        return;
    }
    if (!FGrid->DefaultDrawing()) {
        painter->fillRect(option.rect, FGrid->FixedColor());
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

void TStringGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                       const QModelIndex &index) const
{
    if (const auto *edit = qobject_cast<QLineEdit *>(editor)) {
        try {
            CodePage::CheckStorable(edit->text());
        } catch (const EUnstorableText &error) {
            // Told once the view has closed the editor: a message box opened
            // while the view commits would take the focus and commit again.
            const QString message = error.Message();
            QMetaObject::invokeMethod(
                FGrid, [message] { ErrorDisplay::Show(message); }, Qt::QueuedConnection);
            return;
        }
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
