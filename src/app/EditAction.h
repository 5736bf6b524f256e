#pragma once

#include <QAction>
#include <functional>

// An edit command whose shortcut does not act while blocked answers true:
// while the inspector has the keyboard, Delete and Ctrl+C belong to the
// value being edited.
class TEditAction : public QAction
{
public:
    TEditAction(const QString &caption, const QKeySequence &key, std::function<bool()> blocked,
                QObject *parent);

protected:
    bool event(QEvent *event) override;

private:
    std::function<bool()> FBlocked;
};
