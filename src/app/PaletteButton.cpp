#include "app/PaletteButton.h"

#include "crash/Command.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

TPaletteButton::TPaletteButton(const QString &caption, int tag, QWidget *parent)
    : QPushButton(caption, parent), FTag(tag)
{
    setAccessibleDescription(
        QStringLiteral("Enter drops a %1 into the selected container").arg(caption));
}

void TPaletteButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !OnDropKind) {
        QPushButton::keyPressEvent(event);
        return;
    }
    Command::Run([this] { OnDropKind(FTag); });
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
