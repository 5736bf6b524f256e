#include "controls/CustomEdit.h"

#include "controls/FlatFrame.h"

#include "platform/CodePage.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionFrame>

namespace
{

// The application's style, except that an edit shows its own password
// character instead of the style's.
class TPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            if (auto *edit = dynamic_cast<const TCustomEdit *>(widget))
                return edit->PasswordCharacter().unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle *PasswordStyle()
{
    // Lives as long as the program; edits of every design share it.
    static QStyle *style = [] {
        auto *s = new TPasswordStyle;
        s->setParent(qApp);
        return s;
    }();
    return style;
}

} // namespace

TCustomEdit::TCustomEdit(QWidget *parent) : QLineEdit(parent) {}

void TCustomEdit::SetPasswordChar(int code)
{
    FPasswordChar = code;
    const QString shown = CodePage::ToQString(std::string(1, static_cast<char>(code)));
    FPasswordCharacter = shown.isEmpty() ? QChar(u'*') : shown.front();
    if (code) {
        if (style() != PasswordStyle())
            setStyle(PasswordStyle());
        // The line edit reads the character again on a style change.
        QEvent change(QEvent::StyleChange);
        changeEvent(&change);
    }
    setEchoMode(code ? QLineEdit::Password : QLineEdit::Normal);
}

QSize TCustomEdit::sizeHint() const
{
    const QMargins m = Bevel().Margins();
    return QLineEdit::sizeHint().grownBy(m);
}

QSize TCustomEdit::minimumSizeHint() const
{
    return QLineEdit::minimumSizeHint().grownBy(Bevel().Margins());
}

void TCustomEdit::initStyleOption(QStyleOptionFrame *option) const
{
    // Frame, text and caret stand inside the bevel.
    QLineEdit::initStyleOption(option);
    option->rect = option->rect.marginsRemoved(Bevel().Margins());
}

void TCustomEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    if (hasFrame() && !Ctl3D())
        TFlatFrame::Paint(painter, rect().marginsRemoved(Bevel().Margins()), palette(),
                          style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this));
    Bevel().Paint(painter, rect(), palette());
}

void TCustomEdit::BiDiModeChanged()
{
    setAlignment(ShownAlignment(Qt::AlignLeft | Qt::AlignVCenter));
}

void TCustomEdit::BevelChanged()
{
    updateGeometry();
    update();
}

void TCustomEdit::focusInEvent(QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::ShortcutFocusReason;
    const int position = cursorPosition();
    const bool selected = hasSelectedText();
    QLineEdit::focusInEvent(event);
    // The toolkit selects everything on entry by the keyboard.
    if (byKeyboard && !FAutoSelect && !selected) {
        deselect();
        setCursorPosition(position);
    }
}

void TCustomEdit::focusOutEvent(QFocusEvent *event)
{
    // The toolkit drops the selection when the focus leaves; without
    // HideSelection it stays and shows.
    const int start = selectionStart();
    const int length = selectedText().size();
    const bool atStart = hasSelectedText() && cursorPosition() == start;
    QLineEdit::focusOutEvent(event);
    if (!FHideSelection && length > 0 && !hasSelectedText()) {
        if (atStart)
            setSelection(start + length, -length);
        else
            setSelection(start, length);
    }
}
