#include "controls/LXPlaceholder.h"

#include <QPainter>

TLXPlaceholder::TLXPlaceholder(const QString &kind, QWidget *parent) : QWidget(parent), FKind(kind)
{
    resize(DefaultWidth, DefaultHeight);
}

bool TLXPlaceholder::event(QEvent *event)
{
    return Route(event, [&] { return QWidget::event(event); });
}

void TLXPlaceholder::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), QColor(240, 240, 240));
    painter.fillRect(rect(), QBrush(QColor(160, 160, 160), Qt::BDiagPattern));
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(box);
    // The kind stays readable over the hatching.
    const QString label = FKind.isEmpty() ? QStringLiteral("(no kind)") : FKind;
    QRect text = painter.fontMetrics().boundingRect(rect(), Qt::AlignCenter, label);
    text.adjust(-3, -1, 3, 1);
    painter.fillRect(text.intersected(box), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, label);
}
