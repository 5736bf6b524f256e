#pragma once

#include <QAccessibleWidget>
#include <map>
#include <utility>

class TRSItemListView;

// The property grid as a screen reader sees it: a table of name and value
// cells whose value is the current row, "name: value".
class TRSItemListAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit TRSItemListAccessible(TRSItemListView *view);
    ~TRSItemListAccessible() override;

    // QAccessibleInterface
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedCellCount() const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

    // Every program with a grid describes it so; installed by the grid's view.
    static QAccessibleInterface *Create(const QString &className, QObject *object);

    // Tells readers that the current cell moved; while the grid has the
    // keyboard they read the cell.
    static void AnnounceCurrent(TRSItemListView *view);

private:
    TRSItemListView *View() const;

    // The cells' interfaces, made when first asked for and kept with the
    // toolkit's registry until the grid's interface goes.
    mutable std::map<std::pair<int, int>, QAccessible::Id> FCells;
};
