#include "app/BusyGuard.h"

#include "app/WaitingForm.h"

#include <QApplication>

TBusyGuard::TBusyGuard(QWidget *owner, const QString &text)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ShowWaiting(owner, text);
}

TBusyGuard::~TBusyGuard()
{
    QApplication::restoreOverrideCursor();
    HideWaiting();
}
