#include "app/Application.h"

#include "platform/CodePage.h"

#include <QMessageBox>
#include <exception>

std::function<void(const QString &)> TApplication::ShowError = [](const QString &message) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
};

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowError(CodePage::ToQString(e.what()));
    } catch (...) {
        ShowError(QStringLiteral("Unknown error"));
    }
    return false;
}
