#include "propgrid/RSItemListAccessible.h"

#include "platform/AccessibleEvents.h"
#include "platform/CodePage.h"
#include "propgrid/RSGridCellAccessible.h"
#include "propgrid/RSItemListView.h"

TRSItemListAccessible::TRSItemListAccessible(TRSItemListView *view)
    : QAccessibleWidget(view, QAccessible::Table)
{
}

TRSItemListAccessible::~TRSItemListAccessible()
{
    for (const auto &[cell, id] : FCells)
        QAccessible::deleteAccessibleInterface(id);
}

TRSItemListView *TRSItemListAccessible::View() const
{
    return static_cast<TRSItemListView *>(widget());
}

QString TRSItemListAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Value)
        return QAccessibleWidget::text(t);
    const TRSCustomItemListEditor *grid = View()->Grid();
    if (!grid->CurrentRow())
        return {};
    const int row = grid->Row();
    return CodePage::ToQString(grid->GetCellText(0, row)) + QStringLiteral(": ") +
           CodePage::ToQString(grid->GetCellText(1, row));
}

int TRSItemListAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface *TRSItemListAccessible::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0)
        return nullptr;
    return cellAt(index / columns, index % columns);
}

int TRSItemListAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *cell = dynamic_cast<const TRSGridCellAccessible *>(child);
    if (!cell || !cell->isValid() || cell->table() != this)
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface *TRSItemListAccessible::childAt(int x, int y) const
{
    const QPoint local = View()->viewport()->mapFromGlobal(QPoint(x, y));
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < columnCount(); ++column)
            if (View()->CellRect(column, row).contains(local))
                return cellAt(row, column);
    return nullptr;
}

void *TRSItemListAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface *TRSItemListAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    auto found = FCells.find({row, column});
    if (found == FCells.end())
        found = FCells
                    .emplace(std::make_pair(row, column),
                             QAccessible::registerAccessibleInterface(
                                 new TRSGridCellAccessible(View(), row, column)))
                    .first;
    return QAccessible::accessibleInterface(found->second);
}

int TRSItemListAccessible::columnCount() const
{
    return View()->Grid()->ColCount();
}

int TRSItemListAccessible::rowCount() const
{
    return View()->Grid()->RowCount();
}

int TRSItemListAccessible::selectedCellCount() const
{
    return View()->Grid()->CurrentRow() ? 1 : 0;
}

int TRSItemListAccessible::selectedRowCount() const
{
    return selectedCellCount();
}

QString TRSItemListAccessible::columnDescription(int column) const
{
    return column == 0 ? QStringLiteral("Name") : QStringLiteral("Value");
}

QString TRSItemListAccessible::rowDescription(int row) const
{
    return CodePage::ToQString(View()->Grid()->GetCellText(0, row));
}

QList<QAccessibleInterface *> TRSItemListAccessible::selectedCells() const
{
    if (!View()->Grid()->CurrentRow())
        return {};
    return {cellAt(View()->Grid()->Row(), View()->Grid()->Col())};
}

QList<int> TRSItemListAccessible::selectedRows() const
{
    if (!View()->Grid()->CurrentRow())
        return {};
    return {View()->Grid()->Row()};
}

bool TRSItemListAccessible::isRowSelected(int row) const
{
    return View()->Grid()->CurrentRow() && row == View()->Grid()->Row();
}

bool TRSItemListAccessible::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    View()->Grid()->SetRow(row);
    return View()->Grid()->Row() == row;
}

QAccessibleInterface *TRSItemListAccessible::Create(const QString &, QObject *object)
{
    if (auto *view = dynamic_cast<TRSItemListView *>(object))
        return new TRSItemListAccessible(view);
    return nullptr;
}

void TRSItemListAccessible::AnnounceCurrent(TRSItemListView *view)
{
    const TRSCustomItemListEditor *grid = view->Grid();
    const int index = grid->Row() * grid->ColCount() + grid->Col();
    QAccessibleEvent selection(view, QAccessible::Selection);
    selection.setChild(index);
    AccessibleEvents::Send(&selection);
    if (view->HasFocus()) {
        QAccessibleEvent focus(view, QAccessible::Focus);
        focus.setChild(index);
        AccessibleEvents::Send(&focus);
    }
}
