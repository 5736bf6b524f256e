#include "controls/LXButton.h"

#include "controls/ButtonFace.h"

#include "controls/DesignRouter.h"

#include <QShortcut>
#include <QStyleOptionButton>

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
    QStyleOptionButton option;
    initStyleOption(&option);
    TButtonFace::Paint(this, option, TButtonFace::PushButton, true, false);
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
