#include "controls/LXImage.h"

#include <QEvent>
#include <QPainter>

TLXImage::TLXImage(QWidget *parent) : QWidget(parent)
{
    resize(100, 100);
    FImage.Picture().OnChange = [this] {
        // A newly loaded graphic takes the display's transparency.
        FImage.SetTransparent(FImage.Transparent());
        update();
    };
}

bool TLXImage::event(QEvent *event)
{
    if (event->type() == QEvent::Paint && FImage.Picture().Empty()) {
        PaintHatch();
        return true;
    }
    return Route(event, [&] { return QWidget::event(event); });
}

void TLXImage::PaintHatch()
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.fillRect(rect(), QBrush(QColor(128, 128, 0), Qt::CrossPattern));
}

void TLXImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    FImage.Paint(painter, size());
}
