#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class TRSItemListView;

// One cell of the property grid as a screen reader sees it: its text, its
// place in the table and whether it is the current one.
class TRSGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    TRSGridCellAccessible(TRSItemListView *view, int row, int column);

    // QAccessibleInterface
    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return FColumn; }
    int rowIndex() const override { return FRow; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    QPointer<TRSItemListView> FView;
    int FRow;
    int FColumn;
};
