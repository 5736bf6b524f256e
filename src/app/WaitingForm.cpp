#include "app/WaitingForm.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

namespace
{
QPointer<TWaitingForm> TheWaitingForm;
}

TWaitingForm::TWaitingForm(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FLabel(new QLabel(QStringLiteral("Wait a minute..."), this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(436, 128);
    setWindowOpacity(180.0 / 255.0);
    setCursor(Qt::WaitCursor);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    setPalette(pal);
    QFont font = FLabel->font();
    font.setBold(true);
    font.setItalic(true);
    FLabel->setFont(font);
    FLabel->setAlignment(Qt::AlignCenter);
    FLabel->setFixedHeight(24);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FLabel);
    if (QScreen *screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

QString TWaitingForm::Text() const
{
    return FLabel->text();
}

void TWaitingForm::SetText(const QString &text)
{
    FLabel->setText(text);
}

void ShowWaiting(QWidget *owner, const QString &text)
{
    HideWaiting();
    TheWaitingForm = new TWaitingForm(owner);
    TheWaitingForm->SetText(text);
    TheWaitingForm->show();
    // Nothing else repaints it while the command blocks the event loop.
    TheWaitingForm->repaint();
}

void SetWaitingText(const QString &text)
{
    if (!TheWaitingForm)
        return;
    if (!text.isEmpty())
        TheWaitingForm->SetText(text);
    TheWaitingForm->repaint();
}

void HideWaiting()
{
    if (TheWaitingForm)
        delete TheWaitingForm.data();
}

TWaitingForm *WaitingForm()
{
    return TheWaitingForm.data();
}
