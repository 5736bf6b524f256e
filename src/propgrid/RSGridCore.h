#pragma once

#include "platform/ColorValue.h"
#include "reflection/RSTypes.h"

#include <QtCore/qnamespace.h>
#include <vector>

struct TRSGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
};

struct TRSGridCoord {
    int X = -1; // column
    int Y = -1; // row
    bool operator==(const TRSGridCoord &) const = default;
};

// A selection: columns Left..Right, rows Top..Bottom (all included).
struct TRSGridSelection {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

enum TRSGridState { gsNormal, gsColSizing, gsRowSizing };

// What the grid asks of the window that shows it and of its in-place editor.
// A grid without a host works headless: nothing is painted and no editor
// exists.
class TRSGridHost
{
public:
    virtual ~TRSGridHost() = default;
    virtual void InvalidateGrid() = 0;
    virtual void InvalidateCell(int col, int row) = 0;
    // The scroll range or the visible cells changed.
    virtual void LayoutChanged() = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    virtual bool IsShowing() const = 0;
    virtual bool HasFocus() const = 0;
    virtual bool IsRightToLeft() const { return false; }
    virtual void SetGridFocus() = 0;
    // The current cell moved to another cell.
    virtual void CurrentMoved() {}

    virtual bool EditorExists() const = 0;
    virtual bool EditorVisible() const = 0;
    virtual void ShowEditor() = 0;
    // Hiding reports the editor's text once more to SetEditText.
    virtual void HideEditor() = 0;
    // Reloads the editor from the current cell (and places it there).
    virtual void UpdateEditor() = 0;
    virtual bool EditorModified() const = 0;
    // The editor's own check of its text (the row's expression); raises.
    virtual void ValidateEditor() {}
    virtual void SetEditorModified(bool value) = 0;
    // Restores the text the editing began with; answers whether it changed.
    virtual bool RestoreEditor() = 0;
    virtual void SelectEditorText() = 0;
    virtual void SetEditorPickListLoaded(bool value) = 0;
    virtual void SetEditorDropDownRows(int value) = 0;
};

// The toolkit-free part of an owner-drawn grid: counts, fixed lines, the
// current cell and selection, column widths, row heights, options,
// scrolling and the platform grid's own key and mouse handling.
class TRSGridCore : public TRSObject
{
public:
    TRSGridCore();
    ~TRSGridCore() override = default;

    // The scroll bars the grid may show when its cells do not fit.
    enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

    void SetHost(TRSGridHost *host) { FHost = host; }
    TRSGridHost *Host() const { return FHost; }

    int ColCount() const { return FColCount; }
    int RowCount() const { return FRowCount; }
    int FixedCols() const { return FFixedCols; }
    int FixedRows() const { return FFixedRows; }
    int Col() const { return FCurrent.X; }
    int Row() const { return FCurrent.Y; }
    virtual void SetColCount(int value);
    virtual void SetRowCount(int value);
    void SetFixedCols(int value);
    void SetFixedRows(int value);
    // Moving the current cell asks SelectCell first.
    void SetCol(int value);
    void SetRow(int value);
    void FocusCell(int col, int row, bool moveAnchor);
    TRSGridSelection Selection() const;
    void SetSelection(const TRSGridSelection &value);

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int value);
    TGridOptions Options() const { return FOptions; }
    virtual void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool value) { FDefaultDrawing = value; }
    // Colour values of the cells and the background, and of the fixed cells.
    int32_t Color() const { return FColor; }
    void SetColor(int32_t value);
    int32_t FixedColor() const { return FFixedColor; }
    void SetFixedColor(int32_t value);

    int TopRow() const { return FTopLeft.Y; }
    int LeftCol() const { return FTopLeft.X; }
    void SetTopRow(int value);
    void SetLeftCol(int value);
    // After the client grew: scrolls back as far as the remaining columns
    // and rows still fit, so no cell stays hidden with room to show it.
    void ScrollBackToFit();
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // Pixel extent of all cells; scroll offsets in pixels of the scrollable part.
    int GridWidth() const;
    int GridHeight() const;

    TRSGridRect CellRect(int col, int row) const;
    TRSGridCoord MouseCoord(int x, int y) const;
    bool IsActiveControl() const;

    // Sizing state at a client point, as the mouse would start it.
    virtual TRSGridState CalcSizingState(int x, int y, int &index, int &sizingPos, int &sizingOfs);
    TRSGridState GridState() const { return FGridState; }

    // Input as the platform grid handles it; descendants extend these.
    virtual void KeyDown(int &key, Qt::KeyboardModifiers shift);
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                           bool doubleClick);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    // Hooks of the platform grid.
    virtual bool SelectCell(int col, int row);
    virtual void ColWidthsChanged() {}
    virtual void TopLeftChanged() {}
    std::function<bool(TRSGridCore *Sender, int ACol, int ARow)> OnSelectCell;

    // Repaint helpers.
    void Invalidate();
    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);
    void InvalidateCol(int col);
    void InvalidateEditor();
    void ShowEditor();
    void HideEditor();
    bool EditorMode() const;

protected:
    // Sets the current cell without asking SelectCell.
    void MoveCurrent(int col, int row, bool moveAnchor, bool show);
    void ClampInView();

    TRSGridHost *FHost = nullptr;
    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    TRSGridCoord FCurrent{1, 1};
    TRSGridCoord FAnchor{1, 1};
    TRSGridCoord FTopLeft{1, 1};
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TScrollStyle FScrollBars = ssBoth;
    TGridOptions FOptions =
        goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    bool FDefaultDrawing = true;
    int32_t FColor = ColorValue::Window;
    int32_t FFixedColor = ColorValue::ButtonFace;
    TRSGridState FGridState = gsNormal;
    int FSizingIndex = 0;
    int FSizingPos = 0;
    int FSizingOfs = 0;
};
