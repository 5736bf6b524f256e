#include "propgrid/RSItemListView.h"

#include "platform/CodePage.h"
#include "platform/ColorValue.h"
#include "platform/ErrorDisplay.h"
#include "propgrid/RSHintWindow.h"
#include "propgrid/RSInplaceEditList.h"
#include "propgrid/RSItemListAccessible.h"
#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSPopupListbox.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

namespace
{
std::function<void(const std::exception &)> &Handler()
{
    static std::function<void(const std::exception &)> handler = [](const std::exception &e) {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                              ErrorDisplay::MessageOf(e));
    };
    return handler;
}

QColor ToQColor(TRSColor color)
{
    return QColor((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

QImage GlyphImage(const TRSGlyph &glyph)
{
    QImage image(glyph.Width, glyph.Height, QImage::Format_RGB32);
    for (int y = 0; y < glyph.Height; ++y)
        for (int x = 0; x < glyph.Width; ++x)
            image.setPixel(x, y, glyph.Black(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return image;
}

Qt::KeyboardModifiers PlainModifiers(Qt::KeyboardModifiers mods)
{
    return mods & ~Qt::KeypadModifier;
}
} // namespace

TRSItemListView::TRSItemListView(QWidget *parent, std::unique_ptr<TRSCustomItemListEditor> grid)
    : QAbstractScrollArea(parent),
      FGrid(grid ? std::move(grid) : std::make_unique<TRSItemListEditor>())
{
    // The toolkit keeps a factory only once.
    QAccessible::installFactory(&TRSItemListAccessible::Create);
    FHintWindow = new TRSHintWindow(this);
    FHintWindow->SetInterval(0);
    FGrid->Init();
    FGrid->SetHost(this);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setMouseTracking(true);
    resize(306, 300);
    UpdateScrollBars();
}

TRSItemListView::~TRSItemListView()
{
    FGrid->SetHost(nullptr);
    // The editor goes first: it reaches the grid while it loses the focus.
    delete FEditor;
    FEditor = nullptr;
    FGrid.reset();
}

void TRSItemListView::SetErrorHandler(std::function<void(const std::exception &)> handler)
{
    Handler() = std::move(handler);
}

std::function<void(const std::exception &)> TRSItemListView::ErrorHandler()
{
    return Handler();
}

void TRSItemListView::ReportError(const std::exception &error)
{
    if (Handler())
        Handler()(error);
}

QFont TRSItemListView::ToQFont(const TRSFont &font)
{
    QFont f = QApplication::font();
    if (!font.Name().empty() && font.Name() != "Sans Serif")
        f.setFamily(CodePage::ToQString(font.Name()));
    if (font.Size() > 0)
        f.setPointSize(font.Size());
    f.setBold(font.Bold());
    f.setItalic(font.Italic());
    f.setUnderline(font.Underline());
    f.setStrikeOut(font.StrikeOut());
    return f;
}

QRect TRSItemListView::CellRect(int col, int row) const
{
    const TRSGridRect r = FGrid->CellRect(col, row);
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// ---- host ----------------------------------------------------------------

void TRSItemListView::CurrentMoved()
{
    TRSItemListAccessible::AnnounceCurrent(this);
}

void TRSItemListView::InvalidateGrid()
{
    viewport()->update();
}

void TRSItemListView::InvalidateCell(int col, int row)
{
    viewport()->update(CellRect(col, row).adjusted(0, 0, 1, 1));
}

void TRSItemListView::LayoutChanged()
{
    UpdateScrollBars();
    PlaceEditor();
}

int TRSItemListView::ClientWidth() const
{
    return viewport()->width();
}

int TRSItemListView::ClientHeight() const
{
    return viewport()->height();
}

bool TRSItemListView::IsShowing() const
{
    return isVisible();
}

bool TRSItemListView::HasFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

bool TRSItemListView::IsRightToLeft() const
{
    return layoutDirection() == Qt::RightToLeft;
}

void TRSItemListView::SetGridFocus()
{
    setFocus(Qt::OtherFocusReason);
}

void TRSItemListView::CreateEditor()
{
    if (FEditor)
        return;
    FEditor = new TRSInplaceEditList(this, FGrid.get());
    FEditor->SetDropDownRowsLimit(FGrid->DropDownRows());
}

bool TRSItemListView::EditorExists() const
{
    return FEditor != nullptr;
}

bool TRSItemListView::EditorVisible() const
{
    return FEditor && FEditor->isVisible();
}

void TRSItemListView::PlaceEditor()
{
    if (!EditorVisible())
        return;
    const QRect r = CellRect(FGrid->Col(), FGrid->Row());
    if (r.isEmpty())
        FEditor->setGeometry(-1000, -1000, 10, 10);
    else
        FEditor->setGeometry(r);
}

void TRSItemListView::ShowEditor()
{
    const int col = FGrid->Col();
    const int row = FGrid->Row();
    if (col < FGrid->FixedCols() || row < FGrid->FixedRows())
        return;
    if (!FGrid->CanEditShow()) {
        HideEditor();
        return;
    }
    CreateEditor();
    const bool hadFocus = HasFocus();
    const bool sameCell = EditorVisible() && FEditorCol == col && FEditorRow == row;
    FEditorCol = col;
    FEditorRow = row;
    FEditor->show();
    PlaceEditor();
    if (!sameCell) {
        Guard([&] { FEditor->UpdateContents(); });
        RememberEditorItem();
    }
    if (hadFocus && !FEditor->hasFocus())
        FEditor->setFocus(Qt::OtherFocusReason);
}

void TRSItemListView::HideEditor()
{
    if (!EditorVisible())
        return;
    const bool hadFocus = FEditor->hasFocus();
    // The text is reported once more as the editor closes (a held-back key
    // is written then), unless its line shows another row by now.
    if (FGrid->ItemAt(FEditorCol, FEditorRow, true) == FEditorItem)
        FGrid->SetEditText(FEditorCol, FEditorRow, CodePage::FromQString(FEditor->text()));
    if (FEditor->ListVisible())
        FEditor->CloseUp(false);
    FEditorCol = FEditorRow = -1;
    // A focused editor of a grid that always shows its editor would come
    // straight back when the focus returns to the grid: it stays, and takes
    // the current cell anew, without moving the focus out and back.
    const unsigned always = goAlwaysShowEditor | goEditing;
    if (hadFocus && (FGrid->Options() & always) == always && FGrid->Col() >= FGrid->FixedCols() &&
        FGrid->Row() >= FGrid->FixedRows() && FGrid->CanEditShow()) {
        ShowEditor();
        return;
    }
    FEditor->hide();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
}

void TRSItemListView::UpdateEditor()
{
    if (!EditorVisible())
        return;
    const int col = FGrid->Col();
    const int row = FGrid->Row();
    PlaceEditor();
    // Reload only when the cell or its text changed, so typing is not disturbed.
    if (col != FEditorCol || row != FEditorRow ||
        CodePage::FromQString(FEditor->text()) != FGrid->GetEditText(col, row)) {
        FEditorCol = col;
        FEditorRow = row;
        Guard([&] { FEditor->UpdateContents(); });
        RememberEditorItem();
    }
}

void TRSItemListView::RememberEditorItem()
{
    FEditorItem = FGrid->ItemAt(FEditorCol, FEditorRow, true);
}

void TRSItemListView::ValidateEditor()
{
    if (EditorVisible())
        FEditor->ValidateText();
}

bool TRSItemListView::EditorModified() const
{
    return FEditor && FEditor->Modified();
}

void TRSItemListView::SetEditorModified(bool value)
{
    if (FEditor)
        FEditor->SetModified(value);
}

bool TRSItemListView::RestoreEditor()
{
    return FEditor && FEditor->RestoreContents();
}

void TRSItemListView::SelectEditorText()
{
    if (FEditor)
        FEditor->selectAll();
}

void TRSItemListView::SetEditorPickListLoaded(bool value)
{
    if (FEditor)
        FEditor->SetPickListLoaded(value);
}

void TRSItemListView::SetEditorDropDownRows(int value)
{
    if (FEditor)
        FEditor->SetDropDownRowsLimit(value);
}

// ---- scrolling -----------------------------------------------------------

void TRSItemListView::UpdateScrollBars()
{
    // A hidden grid (the inspector while a layout opens) leaves its scroll
    // bars until it is shown: every range change queues work in the scroll
    // area, which piled up by thousands during a long load.
    if (FUpdatingScrollBars)
        return;
    const TRSGridCore::TScrollStyle bars = FGrid->ScrollBars();
    setVerticalScrollBarPolicy(bars == TRSGridCore::ssVertical || bars == TRSGridCore::ssBoth
                                   ? Qt::ScrollBarAsNeeded
                                   : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(bars == TRSGridCore::ssHorizontal || bars == TRSGridCore::ssBoth
                                     ? Qt::ScrollBarAsNeeded
                                     : Qt::ScrollBarAlwaysOff);
    if (!isVisible())
        return;
    FUpdatingScrollBars = true;
    const int rowRange =
        std::max(0, FGrid->RowCount() - FGrid->FixedRows() - FGrid->VisibleRowCount());
    verticalScrollBar()->setRange(0, rowRange);
    verticalScrollBar()->setValue(FGrid->TopRow() - FGrid->FixedRows());
    const int colRange =
        std::max(0, FGrid->ColCount() - FGrid->FixedCols() - FGrid->VisibleColCount());
    horizontalScrollBar()->setRange(0, colRange);
    horizontalScrollBar()->setValue(FGrid->LeftCol() - FGrid->FixedCols());
    FUpdatingScrollBars = false;
}

void TRSItemListView::scrollContentsBy(int, int)
{
    if (FUpdatingScrollBars)
        return;
    FGrid->SetTopRow(FGrid->FixedRows() + verticalScrollBar()->value());
    FGrid->SetLeftCol(FGrid->FixedCols() + horizontalScrollBar()->value());
    PlaceEditor();
    viewport()->update();
}

// ---- painting ------------------------------------------------------------

void TRSItemListView::PaintCell(QPainter &painter, int col, int row, bool focused)
{
    const QRect r = CellRect(col, row);
    if (r.isEmpty() || !r.intersects(viewport()->rect()))
        return;
    const TGridOptions options = FGrid->Options();
    const bool fixed = col < FGrid->FixedCols() || row < FGrid->FixedRows();
    const TRSGridSelection sel = FGrid->Selection();
    const bool inSelection =
        !fixed && col >= sel.Left && col <= sel.Right && row >= sel.Top && row <= sel.Bottom;
    const bool isCurrent = col == FGrid->Col() && row == FGrid->Row();
    const bool focusedCell = isCurrent && focused && !(options & goRowSelect);
    const bool highlighted =
        inSelection && (!focusedCell || (options & (goDrawFocusSelected | goRowSelect)));
    const QPalette pal = palette();
    painter.fillRect(r, fixed         ? ColorValue::ToQColor(FGrid->FixedColor())
                        : highlighted ? pal.color(QPalette::Highlight)
                                      : ColorValue::ToQColor(FGrid->Color()));
    const int line = FGrid->GridLineWidth();
    if (line > 0) {
        const bool vert = options & (fixed ? goFixedVertLine : goVertLine);
        const bool horz = options & (fixed ? goFixedHorzLine : goHorzLine);
        const QColor lineColor = fixed ? pal.color(QPalette::Dark) : pal.color(QPalette::Midlight);
        if (vert)
            painter.fillRect(r.right() + 1, r.top(), line, r.height() + line, lineColor);
        if (horz)
            painter.fillRect(r.left(), r.bottom() + 1, r.width() + line, line, lineColor);
    }
    const TRSGridRect gr = FGrid->CellRect(col, row);
    const TRSCellDrawInfo info = FGrid->CellDrawInfo(col, row, gr, highlighted, focused);
    QRect textRect = r;
    textRect.setLeft(info.TextLeft);
    if (FGrid->DefaultDrawing()) {
        if (info.FillWithWindowColor)
            painter.fillRect(r, pal.color(QPalette::Base));
        painter.save();
        painter.setClipRect(r);
        if (info.Glyph)
            painter.drawImage(info.GlyphX, info.GlyphY, GlyphImage(*info.Glyph));
        if (info.Font)
            painter.setFont(ToQFont(*info.Font));
        QColor color = info.Font ? ToQColor(info.Font->Color()) : pal.color(QPalette::Text);
        if (info.Color == TRSCellDrawInfo::tcInactiveCaptionText)
            color = pal.color(QPalette::Disabled, QPalette::Text);
        else if (info.Color == TRSCellDrawInfo::tcHighlightText ||
                 (highlighted && !info.FillWithWindowColor))
            color = pal.color(QPalette::HighlightedText);
        painter.setPen(color);
        painter.drawText(QRect(info.TextX, info.TextY, r.right() - info.TextX, r.height() - 2),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         CodePage::ToQString(info.Text));
        painter.restore();
    }
    if (OnDrawCell)
        OnDrawCell(&painter, col, row, textRect);
}

void TRSItemListView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), ColorValue::ToQColor(FGrid->Color()));
    const bool focused = HasFocus();
    const int lastRow = std::min(FGrid->RowCount(), FGrid->TopRow() + FGrid->VisibleRowCount() + 1);
    const int lastCol =
        std::min(FGrid->ColCount(), FGrid->LeftCol() + FGrid->VisibleColCount() + 1);
    for (int row = 0; row < lastRow; ++row) {
        if (row >= FGrid->FixedRows() && row < FGrid->TopRow())
            continue;
        for (int col = 0; col < lastCol; ++col) {
            if (col >= FGrid->FixedCols() && col < FGrid->LeftCol())
                continue;
            PaintCell(painter, col, row, focused);
        }
    }
}

// ---- input ---------------------------------------------------------------

void TRSItemListView::GridKeyDown(int &key, Qt::KeyboardModifiers shift)
{
    FGrid->KeyDown(key, PlainModifiers(shift));
}

void TRSItemListView::keyPressEvent(QKeyEvent *event)
{
    Guard([&] {
        int key = event->key();
        GridKeyDown(key, event->modifiers());
        if (key != 0 && !event->text().isEmpty() && event->text()[0].isPrint() &&
            (FGrid->Options() & goEditing)) {
            // Typing on the grid starts editing the current cell.
            FGrid->ShowEditor();
            if (EditorVisible() && !FForwardingKey) {
                FForwardingKey = true;
                QCoreApplication::sendEvent(FEditor, event);
                FForwardingKey = false;
            }
        }
    });
    event->accept();
}

void TRSItemListView::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    Guard([&] { FGrid->MouseDown(event->button(), event->modifiers(), pos.x(), pos.y(), false); });
    if (!hasFocus() && !(FEditor && FEditor->hasFocus()))
        setFocus(Qt::MouseFocusReason);
    if (FGrid->Options() & goAlwaysShowEditor)
        FGrid->ShowEditor();
}

void TRSItemListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    Guard([&] { FGrid->MouseDown(event->button(), event->modifiers(), pos.x(), pos.y(), true); });
    if (OnDblClick)
        OnDblClick();
}

void TRSItemListView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    UpdateHint(pos);
    Guard([&] { FGrid->MouseMove(event->modifiers(), pos.x(), pos.y()); });
    int index = 0, sizingPos = 0, sizingOfs = 0;
    const TRSGridState state =
        FGrid->GridState() != gsNormal
            ? FGrid->GridState()
            : FGrid->CalcSizingState(pos.x(), pos.y(), index, sizingPos, sizingOfs);
    viewport()->setCursor(state == gsColSizing   ? Qt::SplitHCursor
                          : state == gsRowSizing ? Qt::SplitVCursor
                                                 : Qt::ArrowCursor);
}

void TRSItemListView::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    Guard([&] { FGrid->MouseUp(event->button(), event->modifiers(), pos.x(), pos.y()); });
}

void TRSItemListView::UpdateHint(const QPoint &pos)
{
    const auto measure = [](const std::string &text, const TRSFont &font, int &w, int &h) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const int width = screen ? screen->geometry().width() : 1024;
        const QRect r =
            QFontMetrics(ToQFont(font))
                .boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap, CodePage::ToQString(text));
        w = r.width();
        h = r.height();
    };
    const auto request = FGrid->ItemHintAt(pos.x(), pos.y(), measure);
    if (!request.Change)
        return;
    if (!request.Show) {
        FHintWindow->HideHint();
        return;
    }
    QString text = CodePage::ToQString(request.Text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    FHintWindow->setFont(ToQFont(*request.Font));
    FHintWindow->ShowAt(viewport()->mapToGlobal(QPoint(request.X, request.Y)), text);
}

void TRSItemListView::leaveEvent(QEvent *event)
{
    FHintWindow->HideHint();
    QAbstractScrollArea::leaveEvent(event);
}

void TRSItemListView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    FGrid->Resize();
    FGrid->ScrollBackToFit();
    UpdateScrollBars();
    PlaceEditor();
}

void TRSItemListView::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    FGrid->Shown();
    FGrid->ScrollBackToFit();
    UpdateScrollBars();
}

void TRSItemListView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    if ((FGrid->Options() & goAlwaysShowEditor) && (FGrid->Options() & goEditing))
        FGrid->ShowEditor();
    viewport()->update();
}

void TRSItemListView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    FocusLeft();
    viewport()->update();
}

void TRSItemListView::FocusLeft()
{
    // Focus moving between the grid and its editor stays inside.
    if (HasFocus())
        return;
    try {
        FGrid->DoExit();
    } catch (const std::exception &e) {
        ReportError(e);
    }
}
