#include "controls/LXPanel.h"

#include "controls/AlignLayout.h"

#include <QPainter>
#include <algorithm>
#include <qdrawutil.h>

namespace
{

// Widths beyond this are kept as set but drawn at this width.
constexpr int kMaxDrawnWidth = 100;

int Drawn(int width)
{
    return std::clamp(width, 0, kMaxDrawnWidth);
}

} // namespace

TLXPanel::TLXPanel(QWidget *parent) : QFrame(parent)
{
    UpdateMargins();
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

void TLXPanel::SetBevelInner(int cut)
{
    FBevelInner = cut;
    UpdateMargins();
}

void TLXPanel::SetBevelOuter(int cut)
{
    FBevelOuter = cut;
    UpdateMargins();
}

void TLXPanel::SetBevelWidth(int width)
{
    FBevelWidth = width;
    UpdateMargins();
}

void TLXPanel::SetBorderStyle(int style)
{
    FBorderStyle = style;
    UpdateMargins();
}

void TLXPanel::SetBorderWidth(int width)
{
    FBorderWidth = width;
    UpdateMargins();
}

void TLXPanel::UpdateMargins()
{
    int inset = (FBorderStyle ? 1 : 0) + Drawn(FBorderWidth);
    if (FBevelOuter)
        inset += Drawn(FBevelWidth);
    if (FBevelInner)
        inset += Drawn(FBevelWidth);
    setContentsMargins(inset, inset, inset, inset);
    TAlignLayout::Realign(this);
    update();
}

bool TLXPanel::event(QEvent *event)
{
    return Route(event, [&] { return QFrame::event(event); });
}

void TLXPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect r = rect();
    if (FBorderStyle) {
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    const int width = Drawn(FBevelWidth);
    auto bevel = [&](int cut) {
        if (!cut)
            return;
        if (cut != 3)
            qDrawShadePanel(&painter, r, palette(), cut == 1, width);
        r.adjust(width, width, -width, -width);
    };
    bevel(FBevelOuter);
    const int gap = Drawn(FBorderWidth);
    r.adjust(gap, gap, -gap, -gap);
    bevel(FBevelInner);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), FAlignment | Qt::AlignVCenter, FCaption);
}
