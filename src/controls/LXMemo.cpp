#include "controls/LXMemo.h"

#include "controls/Strings.h"

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

TLXMemo::~TLXMemo() = default;

bool TLXMemo::event(QEvent *event)
{
    return Route(event, [&] { return QPlainTextEdit::event(event); });
}

bool TLXMemo::viewportEvent(QEvent *event)
{
    return Route(
        event, [&] { return QPlainTextEdit::viewportEvent(event); }, viewport());
}
