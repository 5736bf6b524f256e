#include "controls/LXMemo.h"

#include "controls/Strings.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>

TLXMemo::TLXMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    // Tab moves the focus on until WantTabs is set.
    setTabChangesFocus(true);
    // No scroll bars until ScrollBars asks for them.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    resize(185, 89);
    FLines = std::make_unique<TStrings>(
        [this] {
            const QString text = toPlainText();
            return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
        },
        [this](const QStringList &lines) { setPlainText(lines.join(QLatin1Char('\n'))); });
}

void TLXMemo::SetAlignment(Qt::Alignment horizontal)
{
    FAlignment = horizontal & Qt::AlignHorizontal_Mask;
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(ShownAlignment(FAlignment));
    option.setTextDirection(ReadingDirection());
    document()->setDefaultTextOption(option);
}

TLXMemo::~TLXMemo() = default;

int TLXMemo::Room() const
{
    if (FMaxLength <= 0)
        return INT32_MAX;
    // A line break counts as one character.
    const int length = document()->characterCount() - 1;
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return std::max(FMaxLength - (length - selected), 0);
}

void TLXMemo::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !FWantReturns && !(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    if (enter && (event->modifiers() & Qt::ControlModifier)) {
        // Ctrl+Enter always starts a line, where one still fits.
        if (Room() > 0)
            textCursor().insertText(QStringLiteral("\n"));
        return;
    }
    const QString text = event->text();
    const bool typing = !text.isEmpty() && (enter || text.front().isPrint() || text == "\t");
    if (typing && FMaxLength > 0 && !(event->modifiers() & Qt::ControlModifier)) {
        const int room = Room();
        if (room <= 0)
            return;
        if (text.size() > room) {
            textCursor().insertText(text.left(room));
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TLXMemo::insertFromMimeData(const QMimeData *source)
{
    if (FMaxLength <= 0 || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    textCursor().insertText(source->text().left(Room()));
    ensureCursorVisible();
}

void TLXMemo::SetHideSelection(bool value)
{
    FHideSelection = value;
    if (!value)
        RestoreSelection();
}

void TLXMemo::HideCurrentSelection()
{
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return;
    FHiddenAnchor = cursor.anchor();
    FHiddenPosition = cursor.position();
    cursor.clearSelection();
    setTextCursor(cursor);
}

void TLXMemo::RestoreSelection()
{
    if (FHiddenAnchor < 0)
        return;
    QTextCursor cursor = textCursor();
    // Only a caret still where the selection left it gets it back.
    const int end = document()->characterCount() - 1;
    if (!cursor.hasSelection() && cursor.position() == FHiddenPosition && FHiddenAnchor <= end &&
        FHiddenPosition <= end) {
        cursor.setPosition(FHiddenAnchor);
        cursor.setPosition(FHiddenPosition, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }
    FHiddenAnchor = FHiddenPosition = -1;
}

void TLXMemo::focusInEvent(QFocusEvent *event)
{
    RestoreSelection();
    QPlainTextEdit::focusInEvent(event);
}

void TLXMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (FHideSelection)
        HideCurrentSelection();
}

void TLXMemo::BevelChanged()
{
    // The bevel takes the room between the frame and the text.
    const QMargins m = Bevel().Margins();
    setViewportMargins(m.left(), m.top(), m.right(), m.bottom());
    update();
}

bool TLXMemo::event(QEvent *event)
{
    return Route(event, [&] {
        const bool result = QPlainTextEdit::event(event);
        if (event->type() == QEvent::Paint && Bevel().Kind != TBevel::bkNone) {
            QPainter painter(this);
            Bevel().Paint(painter, contentsRect(), palette());
        }
        return result;
    });
}

bool TLXMemo::viewportEvent(QEvent *event)
{
    return Route(
        event, [&] { return QPlainTextEdit::viewportEvent(event); }, viewport());
}
