#include "controls/InplaceEdit.h"

#include "controls/LXStringGrid.h"

TInplaceEdit::TInplaceEdit(QWidget *parent) : TCustomEdit(parent)
{
    for (QWidget *w = parent; w; w = w->parentWidget()) {
        if (auto *grid = dynamic_cast<TLXStringGrid *>(w)) {
            FGrid = grid;
            break;
        }
    }
}

bool TInplaceEdit::event(QEvent *event)
{
    auto base = [&] { return QLineEdit::event(event); };
    return FGrid ? FGrid->Route(event, base, this) : Route(event, base);
}
