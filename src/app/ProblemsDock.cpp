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
    Command::Connect(&FTimer, &QTimer::timeout, this, [this] { Refresh(); });
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
    FTimer.start();
}

void TProblemsDock::Refresh()
{
    FTimer.stop();
    FProblems = FChecker.Check(FSurface->ClientWidget());
    Show();
    if (OnRefreshed)
        OnRefreshed();
}

void TProblemsDock::SetStress(const TTextStress &stress)
{
    FChecker.SetStress(stress);
    Refresh();
}

void TProblemsDock::Show()
{
    FList->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(static_cast<qsizetype>(FProblems.size()));
    for (size_t i = 0; i < FProblems.size(); ++i) {
        const TLayoutProblem &p = FProblems[i];
        auto *item = new QTreeWidgetItem({p.Check, p.Path, p.Message});
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        item->setToolTip(2, p.Message);
        items << item;
    }
    FList->addTopLevelItems(items);
    FCount->setText(FProblems.empty()       ? QStringLiteral("No problems")
                    : FProblems.size() == 1 ? QStringLiteral("1 problem")
                                            : QStringLiteral("%1 problems").arg(FProblems.size()));
}

void TProblemsDock::Activate(QTreeWidgetItem *item, bool property)
{
    if (!item)
        return;
    const size_t at = item->data(0, Qt::UserRole).toULongLong();
    if (at >= FProblems.size() || !FProblems[at].Control)
        return;
    QWidget *control = FProblems[at].Control;
    if (OnSelectControl)
        OnSelectControl(control);
    FSurface->ensureWidgetVisible(control);
    if (property && OnShowProperty && !FProblems[at].Property.isEmpty())
        OnShowProperty(control, FProblems[at].Property);
}
