#include "app/ProblemsDock.h"

#include "app/RecentFiles.h"
#include "crash/Command.h"
#include "designer/LXControlsContainer.h"
#include "platform/ErrorDisplay.h"
#include "platform/SettingsFile.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTreeWidget>
#include <algorithm>

namespace
{

const QString OffKey = QStringLiteral("ChecksOff");

} // namespace

TProblemsDock::TProblemsDock(TLXControlsContainer *surface, QWidget *parent)
    : QDockWidget(QStringLiteral("Problems"), parent), FSurface(surface)
{
    setObjectName(QStringLiteral("ProblemsDock"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    FList = new QTreeWidget(this);
    FList->setObjectName(QStringLiteral("ProblemsList"));
    FList->setHeaderLabels(
        {QStringLiteral("Check"), QStringLiteral("Control"), QStringLiteral("Problem")});
    FList->setRootIsDecorated(false);
    FList->setUniformRowHeights(true);
    FList->header()->setStretchLastSection(true);
    setWidget(FList);
    FCount = new QLabel(this);
    FCount->setObjectName(QStringLiteral("ProblemsCount"));

    QStringList on = TLayoutChecker::AllChecks();
    for (const QString &off : TRecentFiles::Settings()->value(OffKey).toStringList())
        on.removeAll(off);
    FChecker.SetChecks(on);

    FTimer.setSingleShot(true);
    FTimer.setInterval(0);
    Command::Connect(&FTimer, &QTimer::timeout, this, [this] { Update(); });
    Command::Connect(FList, &QTreeWidget::itemClicked, this,
                     [this] { Activate(FList->currentItem(), false); });
    Command::Connect(FList, &QTreeWidget::itemDoubleClicked, this,
                     [this] { Activate(FList->currentItem(), true); });
    Show();
}

void TProblemsDock::AddCheckSwitches(QMenu *menu)
{
    for (const QString &check : TLayoutChecker::AllChecks()) {
        QAction *action =
            menu->addAction(QStringLiteral("%1 (%2)").arg(check, TLayoutChecker::Describe(check)));
        action->setObjectName(QStringLiteral("Check:") + check);
        action->setCheckable(true);
        action->setChecked(FChecker.Checks().contains(check));
        Command::Connect(action, &QAction::triggered, this,
                         [this, action, check] { SwitchCheck(check, action->isChecked()); });
    }
}

void TProblemsDock::SwitchCheck(const QString &check, bool on)
{
    QStringList checks = FChecker.Checks();
    checks.removeAll(check);
    if (on)
        checks << check;
    FChecker.SetChecks(checks);
    QStringList off = TLayoutChecker::AllChecks();
    for (const QString &running : FChecker.Checks())
        off.removeAll(running);
    const std::unique_ptr<QSettings> settings = TRecentFiles::Settings();
    settings->setValue(OffKey, off);
    SettingsFile::Save(*settings);
    Refresh();
}

void TProblemsDock::Schedule()
{
    FWholeChanged = true;
    FTracker.Invalidate();
    FTimer.start();
}

void TProblemsDock::Changed(const TDesignChange &change)
{
    if (change.Kind == TDesignChange::Structure || change.Controls.empty())
        FWholeChanged = true;
    else
        FChanged.insert(FChanged.end(), change.Controls.begin(), change.Controls.end());
    FTracker.Changed(change);
    FTimer.start();
}

void TProblemsDock::Refresh()
{
    FWholeChanged = true;
    FTracker.Invalidate();
    Update();
}

void TProblemsDock::Update()
{
    FTimer.stop();
    // The list is built again only when a problem came, went or changed.
    if (FTracker.Update(FSurface->ClientWidget()))
        Show();
    std::vector<QWidget *> changed;
    for (const QPointer<QWidget> &control : FChanged) {
        if (!control) {
            FWholeChanged = true;
            break;
        }
        changed.push_back(control);
    }
    const bool whole = FWholeChanged;
    FChanged.clear();
    FWholeChanged = false;
    if (OnRefreshed)
        OnRefreshed(whole ? nullptr : &changed);
}

void TProblemsDock::SetStress(const TTextStress &stress)
{
    FChecker.SetStress(stress);
    Refresh();
}

void TProblemsDock::Show()
{
    // Only the lines between those that stayed the same at either end are
    // made again: a change usually alters the problems of one container.
    const std::vector<TLayoutProblem> &problems = FTracker.Problems();
    const size_t common = std::min(FShown.size(), problems.size());
    size_t front = 0;
    while (front < common && FShown[front] == problems[front])
        ++front;
    size_t back = 0;
    while (back < common - front &&
           FShown[FShown.size() - 1 - back] == problems[problems.size() - 1 - back])
        ++back;
    for (size_t i = front; i < FShown.size() - back; ++i)
        delete FList->takeTopLevelItem(static_cast<int>(front));
    QList<QTreeWidgetItem *> items;
    for (size_t i = front; i < problems.size() - back; ++i) {
        const TLayoutProblem &p = problems[i];
        auto *item = new QTreeWidgetItem({p.Check, p.Path, p.Message});
        item->setToolTip(2, p.Message);
        items << item;
    }
    FList->insertTopLevelItems(static_cast<int>(front), items);
    FShown = problems;
    FCount->setText(problems.empty()       ? QStringLiteral("No problems")
                    : problems.size() == 1 ? QStringLiteral("1 problem")
                                           : QStringLiteral("%1 problems").arg(problems.size()));
}

void TProblemsDock::Activate(QTreeWidgetItem *item, bool property)
{
    if (!item)
        return;
    const std::vector<TLayoutProblem> &problems = FShown;
    const size_t at = static_cast<size_t>(FList->indexOfTopLevelItem(item));
    if (at >= problems.size() || !problems[at].Control)
        return;
    QWidget *control = problems[at].Control;
    if (OnSelectControl)
        OnSelectControl(control);
    FSurface->ensureWidgetVisible(control);
    if (property && OnShowProperty && !problems[at].Property.isEmpty())
        OnShowProperty(control, problems[at].Property);
}
