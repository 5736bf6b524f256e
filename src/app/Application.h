#pragma once

#include <QApplication>

// The application object: its event dispatch is the program's one error
// display. An error escaping any event handler is shown in a message box
// (ErrorDisplay) and the program goes on.
class TApplication : public QApplication
{
public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
