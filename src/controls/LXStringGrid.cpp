#include "controls/LXStringGrid.h"

#include "controls/StringGridDelegate.h"

#include <QHeaderView>
#include <QStyle>

TLXStringGrid::TLXStringGrid(QWidget *parent)
    : QTableWidget(5, 5, parent), FFixedColor(palette().color(QPalette::Button)),
      FOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
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
    setShowGrid(FGridLineWidth > 0 && (FOptions & (goVertLine | goHorzLine)));
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
    SetGridLineWidth(FGridLineWidth);
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
        event, [&] { return QTableWidget::viewportEvent(event); }, viewport());
}
