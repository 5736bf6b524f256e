#include "propgrid/RSInplaceEditList.h"

#include "platform/CodePage.h"
#include "platform/UnstorableText.h"
#include "propgrid/GRegularExpression.h"
#include "propgrid/RSEditMask.h"
#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemListView.h"
#include "propgrid/RSItemProp.h"
#include "propgrid/RSPopupListbox.h"
#include "reflection/RSConsts.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <exception>
#include <qdrawutil.h>

namespace
{
// The text between a line feed and a carriage return, which the expression
// reads as the start and the end of the text.
std::string Wrapped(const QString &text)
{
    std::string out(1, '\n');
    out += CodePage::FromQString(text);
    out += '\r';
    return out;
}
} // namespace

TRSInplaceEditList::TRSInplaceEditList(TRSItemListView *view, TRSCustomItemListEditor *grid)
    : QLineEdit(view->viewport()), FView(view), FGrid(grid),
      FExpression(std::make_unique<TGRegularExpression>())
{
    setFrame(false);
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    FDropDownRowsLimit = grid->DropDownRows();
    EditButtonAction = [grid] { grid->EditButtonClick(); };
    DropDownSource = [grid](int col, int row, TRSStringList *list) {
        grid->GetPickListItems(col, row, list);
    };
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) { TextEdited(text); });
    setMouseTracking(true);
    hide();
}

TRSInplaceEditList::~TRSInplaceEditList() = default;

void TRSInplaceEditList::TextEdited(const QString &text)
{
    FModified = true;
    FView->Guard([&] { ReportToGrid(text); });
}

void TRSInplaceEditList::ReportToGrid(const QString &text)
{
    FGrid->SetEditText(FGrid->Col(), FGrid->Row(), CodePage::FromQString(text));
    FView->RememberEditorItem();
}

QRect TRSInplaceEditList::ButtonRect() const
{
    if (layoutDirection() == Qt::RightToLeft)
        return QRect(0, 0, FButtonWidth, height());
    return QRect(width() - FButtonWidth, 0, FButtonWidth, height());
}

void TRSInplaceEditList::UpdateMargins()
{
    // The text stays clear of the button strip.
    if (FEditStyle == esSimple)
        setTextMargins(2, 2, 2, 0);
    else if (layoutDirection() == Qt::RightToLeft)
        setTextMargins(FButtonWidth, 2, 2, 0);
    else
        setTextMargins(2, 2, FButtonWidth + 2, 0);
}

TPopupListbox *TRSInplaceEditList::GetPickList()
{
    if (!FPickList)
        FPickList = std::make_unique<TPopupListbox>(this);
    return FPickList.get();
}

bool TRSInplaceEditList::IsValueValid() const
{
    if (FExpression->Expression().empty())
        return true;
    return FExpression->Matches(Wrapped(text())) > 0;
}

void TRSInplaceEditList::Undo()
{
    // Back to the last text that was accepted, in the editor and the row.
    if (text() == FUndoText)
        return;
    setText(FUndoText);
    ReportToGrid(FUndoText);
}

void TRSInplaceEditList::ValidateText()
{
    // Text the code page cannot hold would reach the row changed; it is
    // refused as a value the expression refuses is.
    try {
        CodePage::CheckStorable(text());
    } catch (const EUnstorableText &) {
        Undo();
        throw;
    }
    if (!IsValueValid()) {
        const std::string rejected = CodePage::FromQString(text());
        Undo();
        throw ERSException(RSFormat(RSConsts::SInvalidPropertyValue, rejected));
    }
    if (FPickListLoaded && FEditStyle == esPickList && FPickList)
        FPickList->SelectText(text());
}

void TRSInplaceEditList::ReplaceText(const QString &value)
{
    const QString before = text();
    setText(value);
    // A text the row's expression refuses is taken back and reported, by
    // the same rule that checks typed text: never dropped in silence.
    if (!IsValueValid()) {
        setText(before);
        throw ERSException(RSFormat(RSConsts::SInvalidPropertyValue, CodePage::FromQString(value)));
    }
    FUndoText = value;
}

void TRSInplaceEditList::UpdateContents()
{
    // The list belongs to the cell left behind: it closes while it is still
    // the active list, or it would stay on screen.
    if (FListVisible)
        CloseUp(false);
    const int col = FGrid->Col();
    const int row = FGrid->Row();
    setInputMask(QString::fromStdString(RSMaskToInputMask(FGrid->GetEditMask(col, row))));
    const QString text = CodePage::ToQString(FGrid->GetEditText(col, row));
    setText(text);
    FOriginalText = text;
    FUndoText = text;
    FModified = false;
    FActiveList = nullptr;
    FPickListLoaded = false;
    FPickItems.Clear();
    FEditStyle = FGrid->GetEditStyle(col, row);
    if (FEditStyle == esPickList)
        FActiveList = GetPickList();
    std::exception_ptr failure;
    try {
        FExpression->SetExpression(FGrid->GetExpressionMask(col, row));
    } catch (...) {
        // A row with a broken expression is edited without one; the error
        // is reported once the cell is set up.
        FExpression = std::make_unique<TGRegularExpression>();
        failure = std::current_exception();
    }
    setFont(TRSItemListView::ToQFont(FGrid->GetEditorFont(col, row)));
    setReadOnly(!FGrid->CanEditModify());
    UpdateMargins();
    update();
    if (failure)
        std::rethrow_exception(failure);
}

void TRSInplaceEditList::DoGetPickListItems()
{
    if (FPickListLoaded)
        return;
    TPopupListbox *list = GetPickList();
    FPickItems.Clear();
    DropDownSource(FGrid->Col(), FGrid->Row(), &FPickItems);
    list->SetEntries(CodePage::ToQStringList(FPickItems.Lines()));
    FPickListLoaded = list->count() > 0;
    list->SelectText(text());
}

void TRSInplaceEditList::LoadPickList()
{
    DoGetPickListItems();
}

void TRSInplaceEditList::DropDown()
{
    if (FListVisible || !FActiveList)
        return;
    TPopupListbox *list = FActiveList;
    list->setFixedWidth(width());
    if (list == FPickList.get()) {
        DoGetPickListItems();
        list->setPalette(palette());
        QFont plain = font();
        plain.setBold(false);
        plain.setItalic(false);
        plain.setUnderline(false);
        plain.setStrikeOut(false);
        list->setFont(plain);
        list->SetEntries(CodePage::ToQStringList(FPickItems.Lines()));
        const int itemHeight = list->ItemHeight();
        const int entries = list->count();
        int height;
        if (FDropDownRowsLimit > 0 && entries >= FDropDownRowsLimit)
            height = itemHeight * FDropDownRowsLimit + 4;
        else if (entries == 0)
            height = itemHeight + 4;
        else
            height = entries * itemHeight + 4;
        list->setFixedHeight(height);
        if (text().isEmpty())
            list->setCurrentRow(-1);
        else
            list->SelectText(text());
        int widest = width() - 2 * list->frameWidth();
        for (int i = 0; i < entries; ++i)
            widest =
                std::max(widest, list->fontMetrics().horizontalAdvance(list->item(i)->text()) + 6);
        list->setFixedWidth(widest + 2 * list->frameWidth() +
                            (entries > FDropDownRowsLimit ? FButtonWidth : 0));
    }
    QPoint p = mapToGlobal(QPoint(0, 0));
    const QScreen *screen = QGuiApplication::screenAt(p);
    const int bottom = screen ? screen->geometry().bottom() : 1 << 20;
    if (p.y() + height() + list->height() > bottom)
        p.setY(p.y() - list->height());
    else
        p.setY(p.y() + height());
    list->move(p);
    list->show();
    FListVisible = true;
    update();
}

void TRSInplaceEditList::CloseUp(bool accept)
{
    const TRSItemProp *row = FGrid->CurrentRow();
    if (row && row->GetReadOnly())
        accept = false;
    if (FListVisible && FActiveList == FPickList.get()) {
        releaseMouse();
        QString entry;
        bool hasEntry = false;
        if (QListWidgetItem *item = FPickList->currentItem(); item && item->isSelected()) {
            entry = item->text();
            hasEntry = true;
        }
        FPickList->hide();
        FListVisible = false;
        update();
        if (accept && hasEntry && entry != text()) {
            ReplaceText(entry);
            FModified = true;
            ReportToGrid(text());
        }
    }
    if (accept) {
        ValidateText();
        FGrid->CommitEdit();
        FUndoText = text();
    }
}

void TRSInplaceEditList::ListMouseUp(bool inside)
{
    FView->Guard([&] { CloseUp(inside); });
}

void TRSInplaceEditList::DoEditButtonClick()
{
    if (EditButtonAction)
        EditButtonAction();
}

bool TRSInplaceEditList::RestoreContents()
{
    const bool changed = text() != FOriginalText;
    setText(FOriginalText);
    FUndoText = FOriginalText;
    FModified = false;
    ReportToGrid(FOriginalText);
    return changed;
}

void TRSInplaceEditList::DoDropDownKeys(int &key, Qt::KeyboardModifiers shift)
{
    const bool alt = shift & Qt::AltModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) && FListVisible &&
        !alt) {
        CloseUp(key != Qt::Key_Escape);
        key = 0;
    } else if (alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (FListVisible)
            CloseUp(true);
        else
            DropDown();
        key = 0;
    }
}

void TRSInplaceEditList::keyPressEvent(QKeyEvent *event)
{
    FView->Guard([&] {
        if (FEditStyle == esPickList) {
            int key = event->key();
            DoDropDownKeys(key, event->modifiers());
            if (key == 0) {
                event->accept();
                return;
            }
            if (FListVisible) {
                // The open list takes the keys, so they move its selection.
                QCoreApplication::sendEvent(FActiveList, event);
                return;
            }
        }
        KeyDown(event);
    });
}

void TRSInplaceEditList::KeyDown(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const auto toGrid = [&] {
        int k = key;
        FView->GridKeyDown(k, mods);
        event->accept();
    };
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (mods & Qt::AltModifier)
            break;
        [[fallthrough]];
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        ValidateText();
        toGrid();
        return;
    case Qt::Key_Insert:
        if (mods != Qt::NoModifier)
            break;
        ValidateText();
        toGrid();
        return;
    case Qt::Key_Delete:
        // Ctrl+Delete deletes the row, not a word of the text.
        if (mods != Qt::ControlModifier)
            break;
        toGrid();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        ValidateText();
        int k = Qt::Key_Return;
        FView->GridKeyDown(k, Qt::NoModifier);
        FUndoText = text();
        event->accept();
        if (mods == Qt::ControlModifier && FEditStyle == esEllipsis)
            DoEditButtonClick();
        return;
    }
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
    // What the edit leaves alone must not reach the grid a second time.
    event->accept();
}

void TRSInplaceEditList::SetPressed(bool value)
{
    if (FPressed == value)
        return;
    FPressed = value;
    update(ButtonRect());
}

void TRSInplaceEditList::StopTracking()
{
    if (!FTracking)
        return;
    FTracking = false;
    SetPressed(false);
}

void TRSInplaceEditList::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && FEditStyle != esSimple && ButtonRect().contains(pos)) {
        FView->Guard([&] {
            if (FListVisible) {
                CloseUp(false);
            } else {
                FTracking = true;
                SetPressed(true);
                if (FActiveList)
                    DropDown();
            }
        });
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TRSInplaceEditList::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    setCursor(FEditStyle != esSimple && ButtonRect().contains(pos) ? Qt::ArrowCursor
                                                                   : Qt::IBeamCursor);
    if (FTracking) {
        SetPressed(ButtonRect().contains(pos));
        if (FListVisible && FActiveList) {
            const QPoint inList = FActiveList->viewport()->mapFromGlobal(mapToGlobal(pos));
            if (FActiveList->viewport()->rect().contains(inList)) {
                StopTracking();
                if (QListWidgetItem *item = FActiveList->itemAt(inList))
                    FActiveList->setCurrentItem(item);
            }
        }
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void TRSInplaceEditList::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = FPressed;
    const bool wasTracking = FTracking;
    StopTracking();
    FView->Guard([&] {
        // Pressed on the arrow, dragged into the list, released there.
        if (FListVisible && FActiveList) {
            const QPoint inList =
                FActiveList->viewport()->mapFromGlobal(mapToGlobal(event->position().toPoint()));
            if (FActiveList->viewport()->rect().contains(inList)) {
                CloseUp(true);
                return;
            }
        }
        if (event->button() == Qt::LeftButton && FEditStyle == esEllipsis && wasPressed)
            DoEditButtonClick();
    });
    if (!wasTracking)
        QLineEdit::mouseReleaseEvent(event);
}

void TRSInplaceEditList::mouseDoubleClickEvent(QMouseEvent *event)
{
    const TRSItemProp *row = FGrid->CurrentRow();
    const bool pickActive =
        FEditStyle == esPickList && FActiveList == FPickList.get() && FActiveList;
    if (pickActive && row && row->GetReadOnly())
        return;
    if (FEditStyle == esSimple || FView->OnDblClick) {
        QLineEdit::mouseDoubleClickEvent(event);
        if (FView->OnDblClick)
            FView->OnDblClick();
        return;
    }
    FView->Guard([&] {
        if (FEditStyle == esEllipsis) {
            DoEditButtonClick();
        } else if (pickActive && !ButtonRect().contains(event->position().toPoint())) {
            LoadPickList();
            const int count = FPickList->count();
            if (count > 0) {
                const int next = (FPickList->currentRow() + 1) % count;
                FPickList->setCurrentRow(next);
                ReplaceText(FPickList->item(next)->text());
                FModified = true;
                ReportToGrid(text());
                selectAll();
            }
        }
        if (pickActive)
            FGrid->CommitEdit();
    });
}

void TRSInplaceEditList::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    FView->Guard([&] { CloseUp(false); });
    if (event->reason() != Qt::PopupFocusReason)
        FView->FocusLeft();
}

bool TRSInplaceEditList::focusNextPrevChild(bool next)
{
    // A grid that takes tabs gets Tab as a key (see KeyDown); otherwise Tab
    // leaves the grid, once the text has passed the validation step.
    if (FGrid->Options() & goTabs)
        return false;
    bool valid = true;
    FView->Guard([&] {
        valid = false;
        ValidateText();
        valid = true;
    });
    return valid ? QLineEdit::focusNextPrevChild(next) : true;
}

void TRSInplaceEditList::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    UpdateMargins();
}

void TRSInplaceEditList::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (FEditStyle == esSimple)
        return;
    QPainter painter(this);
    const QRect r = ButtonRect();
    if (FEditStyle == esEllipsis) {
        qDrawShadePanel(&painter, r, palette(), FPressed, 1, &palette().brush(QPalette::Button));
        const int s = FButtonWidth > 7 ? FButtonWidth / 8 : 1;
        const int p = FPressed ? 1 : 0;
        const int x = r.left() + r.width() / 2 - 1 + p;
        const int y = r.top() + r.height() / 2 - 1 + p;
        for (int dx : {-2 * s, 0, 2 * s})
            painter.fillRect(x + dx, y, s, s, Qt::black);
        return;
    }
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = r;
    button.state = QStyle::State_Enabled;
    if (FPressed)
        button.state |= QStyle::State_Sunken;
    else
        button.state |= QStyle::State_Raised;
    if (!FActiveList)
        button.state &= ~QStyle::State_Enabled;
    style()->drawControl(QStyle::CE_PushButtonBevel, &button, &painter, this);
    QStyleOption arrow = button;
    arrow.rect = r.adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
}
