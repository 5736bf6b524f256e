#include "app/PaletteButton.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

TPaletteButton::TPaletteButton(const QString &caption, int tag, QWidget *parent)
    : QPushButton(caption, parent), FTag(tag)
{
}

void TPaletteButton::mousePressEvent(QMouseEvent *event)
{
    FPressed = event->button() == Qt::LeftButton;
    FPressPos = event->pos();
    QPushButton::mousePressEvent(event);
}

void TPaletteButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!FPressed ||
        (event->pos() - FPressPos).manhattanLength() < QApplication::startDragDistance()) {
        QPushButton::mouseMoveEvent(event);
        return;
    }
    FPressed = false;
    setDown(false);
    auto *mime = new QMimeData;
    mime->setData(MimeType, QByteArray::number(FTag));
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(grab());
    drag->exec(Qt::CopyAction);
}
