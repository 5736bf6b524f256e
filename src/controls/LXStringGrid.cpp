#include "controls/LXStringGrid.h"

#include "controls/StringGridDelegate.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

TLXStringGrid::TLXStringGrid(QWidget *parent)
    : QTableWidget(5, 5, parent), FFixedColor(palette().color(QPalette::Button)),
      FOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    // The grid draws its own lines.
    setShowGrid(false);
    setItemDelegate(new TStringGridDelegate(this));
    SetDefaultColWidth(FDefaultColWidth);
    SetDefaultRowHeight(FDefaultRowHeight);
    SetOptions(FOptions);
    resize(320, 120);
}

void TLXStringGrid::SetColCount(int count)
{
    setColumnCount(std::max(count, 1));
}

void TLXStringGrid::SetRowCount(int count)
{
    setRowCount(std::max(count, 1));
}

void TLXStringGrid::SetFixedCols(int count)
{
    FFixedCols = std::clamp(count, 0, columnCount() - 1);
    viewport()->update();
}

void TLXStringGrid::SetFixedRows(int count)
{
    FFixedRows = std::clamp(count, 0, rowCount() - 1);
    viewport()->update();
}

void TLXStringGrid::SetDefaultColWidth(int width)
{
    FDefaultColWidth = std::max(width, 0);
    horizontalHeader()->setDefaultSectionSize(FDefaultColWidth);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, FDefaultColWidth);
}

void TLXStringGrid::SetDefaultRowHeight(int height)
{
    FDefaultRowHeight = std::max(height, 0);
    verticalHeader()->setDefaultSectionSize(FDefaultRowHeight);
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, FDefaultRowHeight);
}

void TLXStringGrid::SetFixedColor(const QColor &color)
{
    FFixedColor = color;
    viewport()->update();
}

void TLXStringGrid::SetGridLineWidth(int width)
{
    FGridLineWidth = std::max(width, 0);
    viewport()->update();
}

void TLXStringGrid::SetDefaultDrawing(bool value)
{
    FDefaultDrawing = value;
    viewport()->update();
}

void TLXStringGrid::SetOptions(TGridOptions options)
{
    FOptions = options;
    setEditTriggers((options & goEditing)
                        ? (options & goAlwaysShowEditor ? QAbstractItemView::AllEditTriggers
                                                        : QAbstractItemView::DoubleClicked |
                                                              QAbstractItemView::EditKeyPressed |
                                                              QAbstractItemView::AnyKeyPressed)
                        : QAbstractItemView::NoEditTriggers);
    setSelectionBehavior((options & goRowSelect) ? SelectRows : SelectItems);
    setSelectionMode((options & goRangeSelect) ? ContiguousSelection : SingleSelection);
    setTabKeyNavigation(options & goTabs);
    horizontalScrollBar()->setTracking(options & goThumbTracking);
    verticalScrollBar()->setTracking(options & goThumbTracking);
    viewport()->update();
}

QSize TLXStringGrid::CellArea() const
{
    // The headers are hidden, so the frame alone surrounds the cells; the
    // view's own margins lag until it is laid out.
    ensurePolished();
    const int frame = 2 * frameWidth();
    QSize area(width() - frame, height() - frame);
    int width = 0, height = 0;
    for (int c = 0; c < columnCount(); ++c)
        width += columnWidth(c);
    for (int r = 0; r < rowCount(); ++r)
        height += rowHeight(r);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const auto shown = [](Qt::ScrollBarPolicy policy, int content, int room) {
        return policy == Qt::ScrollBarAlwaysOn ||
               (policy == Qt::ScrollBarAsNeeded && content > room);
    };
    if (shown(horizontalScrollBarPolicy(), width, area.width()))
        area.rheight() -= bar;
    if (shown(verticalScrollBarPolicy(), height, area.height()))
        area.rwidth() -= bar;
    return area;
}

int TLXStringGrid::VisibleColCount() const
{
    const int room = CellArea().width();
    int count = 0, x = 0;
    for (int c = FFixedCols; c < columnCount() && x + columnWidth(c) <= room; ++c) {
        x += columnWidth(c);
        ++count;
    }
    return count;
}

int TLXStringGrid::VisibleRowCount() const
{
    const int room = CellArea().height();
    int count = 0, y = 0;
    for (int r = FFixedRows; r < rowCount() && y + rowHeight(r) <= room; ++r) {
        y += rowHeight(r);
        ++count;
    }
    return count;
}

QString TLXStringGrid::Cell(int col, int row) const
{
    const QTableWidgetItem *it = item(row, col);
    return it ? it->text() : QString();
}

void TLXStringGrid::SetCell(int col, int row, const QString &text)
{
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount())
        return;
    if (QTableWidgetItem *it = item(row, col))
        it->setText(text);
    else
        setItem(row, col, new QTableWidgetItem(text));
}

bool TLXStringGrid::event(QEvent *event)
{
    return Route(event, [&] { return QTableWidget::event(event); });
}

bool TLXStringGrid::viewportEvent(QEvent *event)
{
    return Route(
        event,
        [&] {
            const bool result = QTableWidget::viewportEvent(event);
            if (event->type() == QEvent::Paint)
                PaintLines();
            return result;
        },
        viewport());
}

void TLXStringGrid::PaintLines()
{
    if (FGridLineWidth <= 0)
        return;
    QPainter painter(viewport());
    const QColor color = palette().color(QPalette::Mid);
    const int w = FGridLineWidth;
    const int right = columnViewportPosition(columnCount() - 1) + columnWidth(columnCount() - 1);
    const int bottom = rowViewportPosition(rowCount() - 1) + rowHeight(rowCount() - 1);
    const int fixedRight =
        FFixedCols > 0 ? columnViewportPosition(FFixedCols - 1) + columnWidth(FFixedCols - 1) : 0;
    const int fixedBottom =
        FFixedRows > 0 ? rowViewportPosition(FFixedRows - 1) + rowHeight(FFixedRows - 1) : 0;
    // Lines of a column run down the fixed rows and then the others, each
    // part after its own option.
    for (int c = 0; c < columnCount(); ++c) {
        const int x = columnViewportPosition(c) + columnWidth(c) - w;
        if (columnWidth(c) <= 0 || x + w < 0 || x > viewport()->width())
            continue;
        const bool fixedCol = c < FFixedCols;
        if (FOptions & goFixedVertLine)
            painter.fillRect(x, 0, w, fixedBottom, color);
        if (FOptions & (fixedCol ? goFixedVertLine : goVertLine))
            painter.fillRect(x, fixedBottom, w, bottom - fixedBottom, color);
    }
    for (int r = 0; r < rowCount(); ++r) {
        const int y = rowViewportPosition(r) + rowHeight(r) - w;
        if (rowHeight(r) <= 0 || y + w < 0 || y > viewport()->height())
            continue;
        const bool fixedRow = r < FFixedRows;
        if (FOptions & goFixedHorzLine)
            painter.fillRect(0, y, fixedRight, w, color);
        if (FOptions & (fixedRow ? goFixedHorzLine : goHorzLine))
            painter.fillRect(fixedRight, y, right - fixedRight, w, color);
    }
}

int TLXStringGrid::SizingColumnAt(const QPoint &point) const
{
    if (!(FOptions & goColSizing) || rowAt(point.y()) >= FFixedRows || rowAt(point.y()) < 0)
        return -1;
    for (int c = 0; c < columnCount(); ++c) {
        const int edge = columnViewportPosition(c) + columnWidth(c);
        if (std::abs(point.x() - edge) <= 2)
            return c;
    }
    return -1;
}

int TLXStringGrid::SizingRowAt(const QPoint &point) const
{
    if (!(FOptions & goRowSizing) || columnAt(point.x()) >= FFixedCols || columnAt(point.x()) < 0)
        return -1;
    for (int r = 0; r < rowCount(); ++r) {
        const int edge = rowViewportPosition(r) + rowHeight(r);
        if (std::abs(point.y() - edge) <= 2)
            return r;
    }
    return -1;
}

void TLXStringGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    FDrag = dgNone;
    if (event->button() == Qt::LeftButton) {
        const int row = rowAt(p.y()), col = columnAt(p.x());
        if ((FDragIndex = SizingColumnAt(p)) >= 0) {
            FDrag = dgColSizing;
            FDragStart = p.x();
            FDragSize = columnWidth(FDragIndex);
        } else if ((FDragIndex = SizingRowAt(p)) >= 0) {
            FDrag = dgRowSizing;
            FDragStart = p.y();
            FDragSize = rowHeight(FDragIndex);
        } else if ((FOptions & goColMoving) && row >= 0 && row < FFixedRows && col >= FFixedCols) {
            FDrag = dgColMoving;
            FDragIndex = col;
        } else if ((FOptions & goRowMoving) && col >= 0 && col < FFixedCols && row >= FFixedRows) {
            FDrag = dgRowMoving;
            FDragIndex = row;
        }
    }
    if (FDrag == dgNone)
        QTableWidget::mousePressEvent(event);
}

void TLXStringGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    switch (FDrag) {
    case dgColSizing:
        setColumnWidth(FDragIndex, std::max(FDragSize + p.x() - FDragStart, 0));
        return;
    case dgRowSizing:
        setRowHeight(FDragIndex, std::max(FDragSize + p.y() - FDragStart, 0));
        return;
    case dgColMoving:
    case dgRowMoving:
        return;
    case dgNone:
        break;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        if (SizingColumnAt(p) >= 0)
            viewport()->setCursor(Qt::SplitHCursor);
        else if (SizingRowAt(p) >= 0)
            viewport()->setCursor(Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
    }
    QTableWidget::mouseMoveEvent(event);
}

void TLXStringGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    const TDrag drag = FDrag;
    FDrag = dgNone;
    if (drag == dgColMoving) {
        const int to = columnAt(p.x());
        if (to >= FFixedCols && to != FDragIndex)
            MoveColumn(FDragIndex, to);
    } else if (drag == dgRowMoving) {
        const int to = rowAt(p.y());
        if (to >= FFixedRows && to != FDragIndex)
            MoveRow(FDragIndex, to);
    } else if (drag == dgNone) {
        QTableWidget::mouseReleaseEvent(event);
    }
}

void TLXStringGrid::MoveColumn(int from, int to)
{
    const int step = to > from ? 1 : -1;
    for (int c = from; c != to; c += step) {
        for (int r = 0; r < rowCount(); ++r) {
            QTableWidgetItem *a = takeItem(r, c);
            QTableWidgetItem *b = takeItem(r, c + step);
            setItem(r, c, b);
            setItem(r, c + step, a);
        }
        const int width = columnWidth(c);
        setColumnWidth(c, columnWidth(c + step));
        setColumnWidth(c + step, width);
    }
}

void TLXStringGrid::MoveRow(int from, int to)
{
    const int step = to > from ? 1 : -1;
    for (int r = from; r != to; r += step) {
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem *a = takeItem(r, c);
            QTableWidgetItem *b = takeItem(r + step, c);
            setItem(r, c, b);
            setItem(r + step, c, a);
        }
        const int height = rowHeight(r);
        setRowHeight(r, rowHeight(r + step));
        setRowHeight(r + step, height);
    }
}
