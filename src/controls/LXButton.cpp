#include "controls/LXButton.h"

#include "controls/DesignRouter.h"

#include <QShortcut>
#include <QStyleOptionButton>
#include <QStylePainter>

TLXButton::TLXButton(QWidget *parent) : QPushButton(parent)
{
    resize(75, 25);
}

bool TLXButton::event(QEvent *event)
{
    return Route(event, [&] { return QPushButton::event(event); });
}

void TLXButton::SetWordWrap(bool value)
{
    FWordWrap = value;
    update();
}

void TLXButton::paintEvent(QPaintEvent *event)
{
    if (!FWordWrap) {
        QPushButton::paintEvent(event);
        return;
    }
    // The style draws the control without its caption; the caption follows,
    // wrapped within the room the style gives it.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    style()->drawItemText(
        &painter, room, static_cast<int>(Qt::AlignCenter) | Qt::TextWordWrap | Qt::TextShowMnemonic,
        option.palette, isEnabled(), caption, QPalette::ButtonText);
}

void TLXButton::SetCancel(bool value)
{
    if (value == Cancel())
        return;
    if (!value) {
        delete FCancel;
        FCancel = nullptr;
        return;
    }
    FCancel = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    FCancel->setContext(Qt::WindowShortcut);
    connect(FCancel, &QShortcut::activated, this, [this] {
        const TDesignRouter *router = TDesignRouter::Current();
        if (isEnabled() && !(router && router->Enabled()))
            click();
    });
}
