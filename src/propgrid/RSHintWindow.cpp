#include "propgrid/RSHintWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

TRSHintWindow::TRSHintWindow(QWidget *owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      FTimer(new QTimer(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);
    FTimer->setInterval(1000);
    FTimer->setSingleShot(true);
    connect(FTimer, &QTimer::timeout, this, [this] { TimerExpired(); });
}

TRSHintWindow::~TRSHintWindow() = default;

int TRSHintWindow::Interval() const
{
    return FTimer->interval();
}

void TRSHintWindow::SetInterval(int value)
{
    FTimer->setInterval(std::max(value, 0));
}

QRect TRSHintWindow::CalcHintRect(const QString &text) const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int width = screen ? screen->geometry().width() : 1024;
    QRect r = fontMetrics().boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap, text);
    r.moveTo(0, 0);
    return r.adjusted(0, 0, 6, 2);
}

void TRSHintWindow::ShowAt(const QPoint &point, const QString &text)
{
    QRect r = CalcHintRect(text);
    r.moveTopLeft(point);
    ActivateHint(r, text);
}

void TRSHintWindow::ActivateHint(const QRect &rect, const QString &text)
{
    if (FBusy)
        return;
    FBusy = true;
    // Interval 0 means the hint stays until it is hidden.
    if (FTimer->interval() > 0)
        FTimer->start();
    FText = text;
    setGeometry(rect);
    show();
    update();
    FBusy = false;
}

void TRSHintWindow::TimerExpired()
{
    FTimer->stop();
    HideHint();
}

void TRSHintWindow::HideHint()
{
    if (isVisible())
        hide();
}

void TRSHintWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::ToolTipText));
    const QRect r = rect().adjusted(2, 0, 0, 0).adjusted(0, 2, 0, 0);
    int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
    if (layoutDirection() == Qt::RightToLeft)
        flags |= Qt::TextForceRightToLeft;
    painter.drawText(r, flags, FText);
}
