#pragma once

class QString;
class QWidget;

// Shows the hourglass and the waiting overlay for the length of a command
// and restores both when it ends, also when it fails.
class TBusyGuard
{
public:
    TBusyGuard(QWidget *owner, const QString &text);
    ~TBusyGuard();
    TBusyGuard(const TBusyGuard &) = delete;
    TBusyGuard &operator=(const TBusyGuard &) = delete;
};
