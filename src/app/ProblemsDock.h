#pragma once

#include "checks/LayoutChecker.h"
#include "checks/ProblemTracker.h"

#include <QDockWidget>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

class QLabel;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class TLXControlsContainer;

// The "Problems" dock: one line per problem the layout checks find in the
// design (check, control path, message). A click selects the control, a
// double-click shows its property in the inspector. Changes of the design
// ask for a new check, which runs once the events of the change are done
// and looks again only at what the changes can have altered; the count shows in a label for the
// status bar. The checks the user switched off stay off between runs.
class TProblemsDock : public QDockWidget
{
public:
    TProblemsDock(TLXControlsContainer *surface, QWidget *parent);

    // The count of problems, for the status bar.
    QLabel *CountLabel() const { return FCount; }
    // Adds a switch per check to the menu.
    void AddCheckSwitches(QMenu *menu);

    // Checks the whole design again once the current events are done; many
    // calls, one check.
    void Schedule();
    // Checks again what the change can have altered once the current events
    // are done.
    void Changed(const TDesignChange &change);
    // Checks the whole design now.
    void Refresh();
    // Checks again now what the changes since the last check can have
    // altered.
    void Update();
    // Texts are measured under the stress while it lasts.
    void SetStress(const TTextStress &stress);

    const std::vector<TLayoutProblem> &Problems() const { return FTracker.Problems(); }
    const QStringList &Checks() const { return FChecker.Checks(); }

    std::function<void(QWidget *control)> OnSelectControl;
    // After each check, with the controls the changes checked touched, or
    // none when the whole design may have changed.
    std::function<void(const std::vector<QWidget *> *changed)> OnRefreshed;
    std::function<void(QWidget *control, const QString &property)> OnShowProperty;

private:
    void Show();
    void Activate(QTreeWidgetItem *item, bool property);
    void SwitchCheck(const QString &check, bool on);

    TLXControlsContainer *FSurface;
    TLayoutChecker FChecker;
    // What the changes since the last check touched, for OnRefreshed.
    std::vector<QPointer<QWidget>> FChanged;
    bool FWholeChanged = true;
    TProblemTracker FTracker{FChecker};
    // The problems the list shows, line by line.
    std::vector<TLayoutProblem> FShown;
    QTreeWidget *FList;
    QLabel *FCount;
    QTimer FTimer;
};
