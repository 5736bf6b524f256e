#include "app/Application.h"

#include "platform/CodePage.h"
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
        [](const std::exception &error) { ErrorDisplay::Show(CodePage::ToQString(error.what())); });
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ErrorDisplay::Show(CodePage::ToQString(e.what()));
    } catch (...) {
        ErrorDisplay::Show(QStringLiteral("Unknown error"));
    }
    return false;
}
