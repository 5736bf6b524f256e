#pragma once

#include "controls/LXDesigned.h"
#include "reflection/RSTypes.h"

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
    // DefaultDrawing: the grid draws its cells' texts; without it only their
    // backgrounds and the lines.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool value);
    int VisibleColCount() const;
    int VisibleRowCount() const;

    bool IsFixedCell(int row, int col) const { return row < FFixedRows || col < FFixedCols; }
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString &text);

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The grid's lines: in the fixed cells after goFixedVertLine and
    // goFixedHorzLine, in the others after goVertLine and goHorzLine, each
    // GridLineWidth wide over the right and bottom edge of its cell.
    void PaintLines();
    // The column (or row) whose right (or bottom) edge lies under the
    // point in the fixed cells, where goColSizing (goRowSizing) lets it be
    // dragged; -1 for none.
    int SizingColumnAt(const QPoint &point) const;
    int SizingRowAt(const QPoint &point) const;
    // Moves a column's (row's) cells and width to another place, shifting
    // those between.
    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);

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
    bool FDefaultDrawing = true;
    // A drag in the fixed cells: what it sizes or moves, and from where.
    enum TDrag { dgNone, dgColSizing, dgRowSizing, dgColMoving, dgRowMoving };
    TDrag FDrag = dgNone;
    int FDragIndex = -1;
    int FDragStart = 0;
    int FDragSize = 0;
};
