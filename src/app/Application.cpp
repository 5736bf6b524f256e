#include "app/Application.h"

#include "crash/CrashReporter.h"
#include "platform/ErrorDisplay.h"
#include "propgrid/RSItemListView.h"

#include <QMessageBox>
#include <exception>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    ErrorDisplay::Show = [](const QString &message) {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                              message);
    };
    // Errors of typing into the property grid go to the same display.
    TRSItemListView::SetErrorHandler(
        [](const std::exception &error) { TCrashReporter::HandleError(&error); });
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        TCrashReporter::HandleCurrentException();
    }
    return false;
}
