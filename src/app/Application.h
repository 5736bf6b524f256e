#pragma once

#include <QApplication>

// The application object: its event dispatch is the program's one error
// display. An error escaping any event handler is shown, as a message box
// (ErrorDisplay) when expected and else as a bug report (TCrashReporter),
// and the program goes on.
class TApplication : public QApplication
{
public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
