#include "propgrid/RSGridCellAccessible.h"

#include "platform/CodePage.h"
#include "propgrid/RSItemListView.h"

#include <QWidget>

TRSGridCellAccessible::TRSGridCellAccessible(TRSItemListView *view, int row, int column)
    : FView(view), FRow(row), FColumn(column)
{
}

bool TRSGridCellAccessible::isValid() const
{
    return FView && FRow < FView->Grid()->RowCount() && FColumn < FView->Grid()->ColCount();
}

QWindow *TRSGridCellAccessible::window() const
{
    return FView ? FView->window()->windowHandle() : nullptr;
}

QAccessibleInterface *TRSGridCellAccessible::parent() const
{
    return FView ? QAccessible::queryAccessibleInterface(FView.data()) : nullptr;
}

QString TRSGridCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
        return {};
    return CodePage::ToQString(FView->Grid()->GetCellText(FColumn, FRow));
}

QRect TRSGridCellAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect cell = FView->CellRect(FColumn, FRow);
    return QRect(FView->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::State TRSGridCellAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.focusable = true;
    s.selectable = true;
    s.selected = isSelected();
    s.focused = s.selected && FColumn == FView->Grid()->Col() && FView->HasFocus();
    return s;
}

void *TRSGridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
}

bool TRSGridCellAccessible::isSelected() const
{
    return isValid() && FRow == FView->Grid()->Row();
}
