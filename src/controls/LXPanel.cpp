#include "controls/LXPanel.h"

#include "controls/AlignLayout.h"
#include "controls/ControlsFactory.h"

#include <QChildEvent>
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
    FitToChildren();
    update();
}

void TLXPanel::SetAutoSize(bool value)
{
    FAutoSize = value;
    if (value)
        for (QObject *child : children())
            WatchChild(child);
    FitToChildren();
}

void TLXPanel::SetParentBackground(bool value)
{
    FParentBackground = value;
    ApplyColor();
}

bool TLXPanel::FillsBackground() const
{
    return !ParentColor() || !FParentBackground;
}

void TLXPanel::WatchChild(QObject *child)
{
    if (child->isWidgetType())
        child->installEventFilter(this);
}

void TLXPanel::FitToChildren()
{
    if (!FAutoSize || FFitting)
        return;
    // Aligned children take their size from the panel, so they do not
    // count; neither do hidden ones.
    QRect extent;
    for (QWidget *child : TControlsFactory::DesignedChildren(this)) {
        const TLXDesigned *designed = AsDesigned(child);
        if (designed && designed->Align() == 0 && designed->Visible())
            extent = extent.united(child->geometry());
    }
    if (extent.isNull())
        return;
    const QMargins m = contentsMargins();
    FFitting = true;
    resize(extent.right() + 1 + m.right(), extent.bottom() + 1 + m.bottom());
    FFitting = false;
}

bool TLXPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (FAutoSize && watched->parent() == this) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            FitToChildren();
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

bool TLXPanel::event(QEvent *event)
{
    const bool result = Route(event, [&] { return QFrame::event(event); });
    if (FAutoSize) {
        if (event->type() == QEvent::ChildAdded)
            WatchChild(static_cast<QChildEvent *>(event)->child());
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved ||
            event->type() == QEvent::Resize)
            FitToChildren();
    }
    return result;
}

void TLXPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect r = rect();
    if (FBorderStyle) {
        // A sunken line with 3D look, else a flat one in the shadow colour.
        const QRect line = r;
        painter.setPen(palette().color(Ctl3D() ? QPalette::Dark : QPalette::Shadow));
        painter.drawLine(line.topLeft(), line.topRight());
        painter.drawLine(line.topLeft(), line.bottomLeft());
        if (Ctl3D())
            painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(line.bottomLeft(), line.bottomRight());
        painter.drawLine(line.topRight(), line.bottomRight());
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
    painter.drawText(contentsRect(), ShownAlignment(FAlignment) | Qt::AlignVCenter, FCaption);
}
