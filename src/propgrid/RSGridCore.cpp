#include "propgrid/RSGridCore.h"

#include <algorithm>

TRSGridCore::TRSGridCore()
    : FColWidths(FColCount, FDefaultColWidth), FRowHeights(FRowCount, FDefaultRowHeight)
{
}

void TRSGridCore::SetColCount(int value)
{
    value = std::max(value, 1);
    if (value == FColCount)
        return;
    FColCount = value;
    FColWidths.resize(value, FDefaultColWidth);
    FFixedCols = std::min(FFixedCols, value - 1);
    MoveCurrent(std::clamp(FCurrent.X, 0, value - 1), FCurrent.Y, false, false);
    FAnchor.X = std::min(FAnchor.X, value - 1);
    FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, value - 1);
    if (FHost)
        FHost->LayoutChanged();
    Invalidate();
}

void TRSGridCore::SetRowCount(int value)
{
    value = std::max(value, 1);
    if (value == FRowCount)
        return;
    FRowCount = value;
    FRowHeights.resize(value, FDefaultRowHeight);
    FFixedRows = std::min(FFixedRows, value - 1);
    MoveCurrent(FCurrent.X, std::clamp(FCurrent.Y, 0, value - 1), false, false);
    FAnchor.Y = std::min(FAnchor.Y, value - 1);
    FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, value - 1);
    if (FHost)
        FHost->LayoutChanged();
    Invalidate();
}

void TRSGridCore::SetFixedCols(int value)
{
    value = std::clamp(value, 0, FColCount - 1);
    if (value == FFixedCols)
        return;
    // The first scrollable column stays the first visible one.
    if (FTopLeft.X == FFixedCols || FTopLeft.X < value)
        FTopLeft.X = value;
    FFixedCols = value;
    if (FCurrent.X < value)
        MoveCurrent(value, FCurrent.Y, true, false);
    if (FHost)
        FHost->LayoutChanged();
    Invalidate();
}

void TRSGridCore::SetFixedRows(int value)
{
    value = std::clamp(value, 0, FRowCount - 1);
    if (value == FFixedRows)
        return;
    if (FTopLeft.Y == FFixedRows || FTopLeft.Y < value)
        FTopLeft.Y = value;
    FFixedRows = value;
    if (FCurrent.Y < value)
        MoveCurrent(FCurrent.X, value, true, false);
    if (FHost)
        FHost->LayoutChanged();
    Invalidate();
}

void TRSGridCore::SetCol(int value)
{
    if (value != FCurrent.X)
        FocusCell(value, FCurrent.Y, true);
}

void TRSGridCore::SetRow(int value)
{
    if (value != FCurrent.Y)
        FocusCell(FCurrent.X, value, true);
}

void TRSGridCore::FocusCell(int col, int row, bool moveAnchor)
{
    if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount)
        return;
    if (!SelectCell(col, row))
        return;
    MoveCurrent(col, row, moveAnchor, true);
}

void TRSGridCore::MoveCurrent(int col, int row, bool moveAnchor, bool show)
{
    col = std::clamp(col, 0, FColCount - 1);
    row = std::clamp(row, 0, FRowCount - 1);
    const bool moved = col != FCurrent.X || row != FCurrent.Y;
    const bool editing = moved && FHost && FHost->EditorVisible();
    if (editing)
        FHost->HideEditor();
    FCurrent = {col, row};
    if (moveAnchor || !(FOptions & goRangeSelect))
        FAnchor = FCurrent;
    if (show)
        ClampInView();
    Invalidate();
    if (moved && FHost)
        FHost->CurrentMoved();
    if (editing || (moved && show && FHost && (FOptions & goAlwaysShowEditor) &&
                    (FOptions & goEditing) && FHost->HasFocus()))
        ShowEditor();
}

void TRSGridCore::ClampInView()
{
    if (!FHost)
        return;
    const int oldTop = FTopLeft.Y;
    const int oldLeft = FTopLeft.X;
    if (FCurrent.Y >= FFixedRows) {
        if (FCurrent.Y < FTopLeft.Y)
            FTopLeft.Y = FCurrent.Y;
        else
            while (FTopLeft.Y < FCurrent.Y && FTopLeft.Y + VisibleRowCount() <= FCurrent.Y)
                ++FTopLeft.Y;
    }
    if (FCurrent.X >= FFixedCols) {
        if (FCurrent.X < FTopLeft.X)
            FTopLeft.X = FCurrent.X;
        else
            while (FTopLeft.X < FCurrent.X && FTopLeft.X + VisibleColCount() <= FCurrent.X)
                ++FTopLeft.X;
    }
    if (oldTop != FTopLeft.Y || oldLeft != FTopLeft.X) {
        FHost->LayoutChanged();
        TopLeftChanged();
    }
}

TRSGridSelection TRSGridCore::Selection() const
{
    return {std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
            std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
}

void TRSGridCore::SetSelection(const TRSGridSelection &value)
{
    FAnchor = {std::clamp(value.Right, 0, FColCount - 1),
               std::clamp(value.Bottom, 0, FRowCount - 1)};
    MoveCurrent(value.Left, value.Top, false, true);
}

int TRSGridCore::ColWidth(int col) const
{
    return col >= 0 && col < FColCount ? FColWidths[col] : FDefaultColWidth;
}

void TRSGridCore::SetColWidth(int col, int width)
{
    if (col < 0 || col >= FColCount || FColWidths[col] == width)
        return;
    FColWidths[col] = std::max(width, 0);
    if (FHost)
        FHost->LayoutChanged();
    Invalidate();
}

int TRSGridCore::RowHeight(int row) const
{
    return row >= 0 && row < FRowCount ? FRowHeights[row] : FDefaultRowHeight;
}

void TRSGridCore::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= FRowCount || FRowHeights[row] == height)
        return;
    FRowHeights[row] = std::max(height, 0);
    if (FHost)
        FHost->LayoutChanged();
    Invalidate();
}

void TRSGridCore::SetDefaultColWidth(int value)
{
    FDefaultColWidth = value;
    std::fill(FColWidths.begin(), FColWidths.end(), value);
    if (FHost)
        FHost->LayoutChanged();
    Invalidate();
}

void TRSGridCore::SetDefaultRowHeight(int value)
{
    FDefaultRowHeight = value;
    std::fill(FRowHeights.begin(), FRowHeights.end(), value);
    if (FHost)
        FHost->LayoutChanged();
    Invalidate();
}

void TRSGridCore::SetScrollBars(TScrollStyle value)
{
    FScrollBars = value;
    if (FHost)
        FHost->LayoutChanged();
}

void TRSGridCore::SetGridLineWidth(int value)
{
    FGridLineWidth = std::max(value, 0);
    Invalidate();
}

void TRSGridCore::SetColor(int32_t value)
{
    if (FColor == value)
        return;
    FColor = value;
    Invalidate();
}

void TRSGridCore::SetFixedColor(int32_t value)
{
    if (FFixedColor == value)
        return;
    FFixedColor = value;
    Invalidate();
}

void TRSGridCore::SetOptions(TGridOptions value)
{
    if (FOptions == value)
        return;
    FOptions = value;
    if (!(value & goEditing))
        HideEditor();
    Invalidate();
}

void TRSGridCore::SetTopRow(int value)
{
    value = std::clamp(value, FFixedRows, std::max(FFixedRows, FRowCount - 1));
    if (value == FTopLeft.Y)
        return;
    FTopLeft.Y = value;
    if (FHost)
        FHost->LayoutChanged();
    TopLeftChanged();
    Invalidate();
}

void TRSGridCore::SetLeftCol(int value)
{
    value = std::clamp(value, FFixedCols, std::max(FFixedCols, FColCount - 1));
    if (value == FTopLeft.X)
        return;
    FTopLeft.X = value;
    if (FHost)
        FHost->LayoutChanged();
    TopLeftChanged();
    Invalidate();
}

void TRSGridCore::ScrollBackToFit()
{
    if (!FHost)
        return;
    const auto extent = [this](int fixed, int first, int count, auto size) {
        int total = 0;
        for (int i = 0; i < fixed; ++i)
            total += size(i) + FGridLineWidth;
        for (int i = first; i < count; ++i)
            total += size(i) + FGridLineWidth;
        return total;
    };
    const auto width = [this](int c) { return ColWidth(c); };
    const auto height = [this](int r) { return RowHeight(r); };
    int left = FTopLeft.X;
    while (left > FFixedCols &&
           extent(FFixedCols, left - 1, FColCount, width) <= FHost->ClientWidth())
        --left;
    int top = FTopLeft.Y;
    while (top > FFixedRows &&
           extent(FFixedRows, top - 1, FRowCount, height) <= FHost->ClientHeight())
        --top;
    if (left == FTopLeft.X && top == FTopLeft.Y)
        return;
    FTopLeft = {left, top};
    FHost->LayoutChanged();
    TopLeftChanged();
    Invalidate();
}

int TRSGridCore::VisibleColCount() const
{
    if (!FHost)
        return FColCount - FFixedCols;
    int x = 0;
    for (int c = 0; c < FFixedCols; ++c)
        x += ColWidth(c) + FGridLineWidth;
    int count = 0;
    for (int c = FTopLeft.X; c < FColCount; ++c) {
        x += ColWidth(c) + FGridLineWidth;
        if (x > FHost->ClientWidth())
            break;
        ++count;
    }
    return std::max(count, 1);
}

int TRSGridCore::VisibleRowCount() const
{
    if (!FHost)
        return FRowCount - FFixedRows;
    int y = 0;
    for (int r = 0; r < FFixedRows; ++r)
        y += RowHeight(r) + FGridLineWidth;
    int count = 0;
    for (int r = FTopLeft.Y; r < FRowCount; ++r) {
        y += RowHeight(r) + FGridLineWidth;
        if (y > FHost->ClientHeight())
            break;
        ++count;
    }
    return std::max(count, 1);
}

int TRSGridCore::GridWidth() const
{
    int x = 0;
    for (int c = 0; c < FFixedCols; ++c)
        x += ColWidth(c) + FGridLineWidth;
    for (int c = FTopLeft.X; c < FColCount; ++c)
        x += ColWidth(c) + FGridLineWidth;
    return x;
}

int TRSGridCore::GridHeight() const
{
    int y = 0;
    for (int r = 0; r < FFixedRows; ++r)
        y += RowHeight(r) + FGridLineWidth;
    for (int r = FTopLeft.Y; r < FRowCount; ++r)
        y += RowHeight(r) + FGridLineWidth;
    return y;
}

TRSGridRect TRSGridCore::CellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount)
        return {};
    if ((col >= FFixedCols && col < FTopLeft.X) || (row >= FFixedRows && row < FTopLeft.Y))
        return {};
    int x = 0;
    for (int c = 0; c < FFixedCols && c < col; ++c)
        x += ColWidth(c) + FGridLineWidth;
    if (col >= FFixedCols)
        for (int c = FTopLeft.X; c < col; ++c)
            x += ColWidth(c) + FGridLineWidth;
    int y = 0;
    for (int r = 0; r < FFixedRows && r < row; ++r)
        y += RowHeight(r) + FGridLineWidth;
    if (row >= FFixedRows)
        for (int r = FTopLeft.Y; r < row; ++r)
            y += RowHeight(r) + FGridLineWidth;
    return {x, y, x + ColWidth(col), y + RowHeight(row)};
}

TRSGridCoord TRSGridCore::MouseCoord(int x, int y) const
{
    TRSGridCoord result;
    int pos = 0;
    const auto scanCols = [&](int from, int to) {
        for (int c = from; c < to; ++c) {
            const int next = pos + ColWidth(c) + FGridLineWidth;
            if (x >= pos && x < next)
                return c;
            pos = next;
        }
        return -1;
    };
    if (x >= 0) {
        result.X = scanCols(0, FFixedCols);
        if (result.X < 0)
            result.X = scanCols(FTopLeft.X, FColCount);
    }
    pos = 0;
    const auto scanRows = [&](int from, int to) {
        for (int r = from; r < to; ++r) {
            const int next = pos + RowHeight(r) + FGridLineWidth;
            if (y >= pos && y < next)
                return r;
            pos = next;
        }
        return -1;
    };
    if (y >= 0) {
        result.Y = scanRows(0, FFixedRows);
        if (result.Y < 0)
            result.Y = scanRows(FTopLeft.Y, FRowCount);
    }
    if (result.X < 0 || result.Y < 0)
        return {};
    return result;
}

bool TRSGridCore::IsActiveControl() const
{
    return FHost && FHost->HasFocus();
}

TRSGridState TRSGridCore::CalcSizingState(int x, int y, int &index, int &sizingPos, int &sizingOfs)
{
    // The platform grid sizes only over the fixed lines.
    const TRSGridCoord cell = MouseCoord(x, y);
    if ((FOptions & goColSizing) && cell.Y >= 0 && cell.Y < FFixedRows) {
        for (int c = 0; c < FColCount; ++c) {
            const TRSGridRect r = CellRect(c, 0);
            const int line = r.Right + FGridLineWidth;
            if (!r.IsEmpty() && x >= line - 3 && x <= line + 3) {
                index = c;
                sizingPos = line;
                sizingOfs = line - x;
                return gsColSizing;
            }
        }
    }
    return gsNormal;
}

void TRSGridCore::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    const bool ctrl = shift & Qt::ControlModifier;
    int col = FCurrent.X;
    int row = FCurrent.Y;
    const int page = std::max(VisibleRowCount() - 1, 1);
    switch (key) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Home:
        if (ctrl)
            row = FFixedRows;
        else
            col = FFixedCols;
        break;
    case Qt::Key_End:
        if (ctrl)
            row = FRowCount - 1;
        else
            col = FColCount - 1;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!(FOptions & goTabs))
            return;
        col += (key == Qt::Key_Backtab || (shift & Qt::ShiftModifier)) ? -1 : 1;
        break;
    default:
        return;
    }
    col = std::clamp(col, FFixedCols, FColCount - 1);
    row = std::clamp(row, FFixedRows, FRowCount - 1);
    if (col != FCurrent.X || row != FCurrent.Y)
        FocusCell(col, row, !(shift & Qt::ShiftModifier));
    key = 0;
}

void TRSGridCore::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y, bool)
{
    if (button != Qt::LeftButton)
        return;
    int index = 0;
    const TRSGridState state = CalcSizingState(x, y, index, FSizingPos, FSizingOfs);
    if (state != gsNormal) {
        FGridState = state;
        FSizingIndex = index;
        return;
    }
    const TRSGridCoord cell = MouseCoord(x, y);
    if (cell.X >= FFixedCols && cell.Y >= FFixedRows)
        FocusCell(cell.X, cell.Y, !(shift & Qt::ShiftModifier));
}

void TRSGridCore::MouseMove(Qt::KeyboardModifiers, int x, int y)
{
    if (FGridState == gsColSizing) {
        const TRSGridRect r = CellRect(FSizingIndex, 0);
        SetColWidth(FSizingIndex, std::max(x + FSizingOfs - FGridLineWidth - r.Left, 0));
    } else if (FGridState == gsRowSizing) {
        const TRSGridRect r = CellRect(0, FSizingIndex);
        SetRowHeight(FSizingIndex, std::max(y + FSizingOfs - FGridLineWidth - r.Top, 0));
    }
}

void TRSGridCore::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y)
{
    if (FGridState == gsNormal)
        return;
    MouseMove(shift, x, y);
    const bool cols = FGridState == gsColSizing;
    FGridState = gsNormal;
    if (cols)
        ColWidthsChanged();
}

bool TRSGridCore::SelectCell(int col, int row)
{
    return !OnSelectCell || OnSelectCell(this, col, row);
}

void TRSGridCore::Invalidate()
{
    if (FHost)
        FHost->InvalidateGrid();
}

void TRSGridCore::InvalidateCell(int col, int row)
{
    if (FHost)
        FHost->InvalidateCell(col, row);
}

void TRSGridCore::InvalidateRow(int row)
{
    for (int c = 0; c < FColCount; ++c)
        InvalidateCell(c, row);
}

void TRSGridCore::InvalidateCol(int col)
{
    for (int r = 0; r < FRowCount; ++r)
        InvalidateCell(col, r);
}

void TRSGridCore::InvalidateEditor()
{
    if (FHost && FHost->EditorVisible())
        FHost->UpdateEditor();
}

void TRSGridCore::ShowEditor()
{
    if (FHost && (FOptions & goEditing))
        FHost->ShowEditor();
}

void TRSGridCore::HideEditor()
{
    if (FHost && FHost->EditorVisible())
        FHost->HideEditor();
}

bool TRSGridCore::EditorMode() const
{
    return FHost && FHost->EditorVisible();
}
