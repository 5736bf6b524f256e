#include "controls/LXPanel.h"

#include <QPainter>

TLXPanel::TLXPanel(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    resize(185, 41);
}

void TLXPanel::SetText(const QString &text)
{
    FCaption = text;
    update();
}

void TLXPanel::SetCaptionAlignment(Qt::Alignment alignment)
{
    FAlignment = alignment;
    update();
}

bool TLXPanel::event(QEvent *event)
{
    return Route(event, [&] { return QFrame::event(event); });
}

void TLXPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawText(contentsRect(), FAlignment | Qt::AlignVCenter, FCaption);
}
