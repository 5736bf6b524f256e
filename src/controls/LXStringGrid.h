#pragma once

#include "controls/LXDesigned.h"
#include "propgrid/RSTypes.h"

#include <QColor>
#include <QTableWidget>

// A string grid: fixed rows and columns drawn in FixedColor, cells edited in
// place by a TInplaceEdit. With ControlStatus csEdit it takes mouse input
// itself while designing. The events of its viewport and of its cell editor
// are routed on its behalf.
class TLXStringGrid : public QTableWidget, public TLXDesigned
{
public:
    explicit TLXStringGrid(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    bool TextFollowsName() const override { return false; }

    TControlStatus ControlStatus() const override { return FControlStatus; }
    void SetControlStatus(TControlStatus status) { FControlStatus = status; }

    int ColCount() const { return columnCount(); }
    void SetColCount(int count);
    int RowCount() const { return rowCount(); }
    void SetRowCount(int count);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int count);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int count);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int height);
    QColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(const QColor &color);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int width);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions options);
    int VisibleColCount() const;
    int VisibleRowCount() const;

    bool IsFixedCell(int row, int col) const { return row < FFixedRows || col < FFixedCols; }
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString &text);

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    // The cell area the grids own size leaves, whether or not it has been
    // laid out on screen yet: a file written before and after the window
    // shows must read the same.
    QSize CellArea() const;
    TControlStatus FControlStatus = csDefault;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    QColor FFixedColor;
    int FGridLineWidth = 1;
    TGridOptions FOptions;
};
