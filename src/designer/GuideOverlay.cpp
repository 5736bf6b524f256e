#include "designer/GuideOverlay.h"

#include <QPainter>

namespace
{

const QColor GuideColour(220, 0, 120);
const QColor DistanceColour(0, 110, 220);
const QColor EqualColour(0, 150, 60);
// How far a distance's number reaches beside its line.
const int LabelRoom = 24;

} // namespace

TGuideOverlay::TGuideOverlay(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("GuideOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(parent->rect());
    raise();
    QWidget::show();
}

void TGuideOverlay::Show(const QPoint &origin, std::vector<TGuideLine> lines,
                         std::vector<TGuideDistance> distances)
{
    const QRect before = Extent();
    FOrigin = origin;
    FLines = std::move(lines);
    FDistances = std::move(distances);
    // The parent may have grown since the drag started.
    if (geometry() != parentWidget()->rect())
        setGeometry(parentWidget()->rect());
    // What lies below is drawn again only where the drawing was or is.
    update(before | Extent());
}

QRect TGuideOverlay::Extent() const
{
    QRect extent;
    for (const TGuideLine &l : FLines)
        extent |= l.Vertical ? QRect(l.Pos, l.From, 1, l.To - l.From + 1)
                             : QRect(l.From, l.Pos, l.To - l.From + 1, 1);
    for (const TGuideDistance &d : FDistances)
        extent |= d.Horizontal ? QRect(d.From, d.At - LabelRoom, d.Length() + 1, 2 * LabelRoom)
                               : QRect(d.At - 4, d.From, LabelRoom + 40, d.Length() + 1);
    return extent.translated(FOrigin);
}

void TGuideOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.translate(FOrigin);
    painter.setPen(QPen(GuideColour, 1, Qt::DashLine));
    for (const TGuideLine &line : FLines) {
        if (line.Vertical)
            painter.drawLine(line.Pos, line.From, line.Pos, line.To);
        else
            painter.drawLine(line.From, line.Pos, line.To, line.Pos);
    }
    QFont font = painter.font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (const TGuideDistance &d : FDistances) {
        const QColor colour = d.Equal ? EqualColour : DistanceColour;
        painter.setPen(QPen(colour, 1));
        const QString text = QString::number(d.Length());
        QRect label = metrics.boundingRect(text).adjusted(-2, 0, 2, 0);
        const int middle = (d.From + d.To) / 2;
        if (d.Horizontal) {
            painter.drawLine(d.From, d.At, d.To, d.At);
            painter.drawLine(d.From, d.At - 3, d.From, d.At + 3);
            painter.drawLine(d.To, d.At - 3, d.To, d.At + 3);
            label.moveCenter({middle, d.At - label.height() / 2 - 2});
        } else {
            painter.drawLine(d.At, d.From, d.At, d.To);
            painter.drawLine(d.At - 3, d.From, d.At + 3, d.From);
            painter.drawLine(d.At - 3, d.To, d.At + 3, d.To);
            label.moveCenter({d.At + label.width() / 2 + 3, middle});
        }
        painter.fillRect(label, QColor(255, 255, 255, 220));
        painter.drawText(label, Qt::AlignCenter, text);
    }
}
