#pragma once

#include "checks/LayoutProblem.h"
#include "checks/ProblemSet.h"
#include "checks/TextStress.h"

#include <QStringList>
#include <memory>
#include <unordered_map>
#include <vector>

class QWidget;
class TContainerProblems;

// The layout checks, over the designed controls below a root (the design
// surface's client). Each check has a short id; a checker runs those it is
// given, all by default. Every check reads the controls only.
class TLayoutChecker
{
public:
    // Every check's id, in the order problems are listed.
    static const QStringList &AllChecks();
    // What a check finds, in a few words, for the options and the help.
    static QString Describe(const QString &check);

    // Refuses an id no check has with an Exception naming it.
    void SetChecks(const QStringList &checks);
    const QStringList &Checks() const { return FChecks; }
    // Texts are measured under the stress (the design as it is by default).
    void SetStress(const TTextStress &stress) { FStress = stress; }

    // Every problem of the design below root.
    std::vector<TLayoutProblem> Check(QWidget *root) const { return CheckSet(root).All(); }
    // The problems kept per container, for a caller that checks again
    // only what a change touched (see TProblemTracker).
    using TKept = std::unordered_map<const QWidget *, std::unique_ptr<TContainerProblems>>;
    TProblemSet CheckSet(QWidget *root, TKept *kept = nullptr) const;
    // After a control moved, was resized or changed its text: replaces in
    // problems what the change can have altered (among the control's
    // siblings and among its own children) and leaves the rest.
    void Recheck(QWidget *root, QWidget *control, TProblemSet &problems) const;
    // Replaces the problems among a container's children, or those of the
    // whole form (names and references); true when they changed.
    bool RecheckChildren(QWidget *root, QWidget *container, TProblemSet &problems) const;
    bool RecheckForm(QWidget *root, TProblemSet &problems) const;

    // The designed controls directly inside a widget, in stacking order.
    static std::vector<QWidget *> DesignedChildren(const QWidget *parent);
    // Whether the control is shown (its Visible), its place aside.
    static bool Shown(QWidget *control);
    // The names from below root down to the control, joined by "/".
    static QString PathOf(const QWidget *control, const QWidget *root);

private:
    // Keeps the problems of one container's children.
    friend class TContainerProblems;

    bool Runs(const QString &check) const { return FChecks.contains(check); }
    // The checks among a container's direct children.

    // The checks of one control on its own.
    void CheckControl(QWidget *root, QWidget *control, std::vector<TLayoutProblem> &out) const;
    // The checks over the whole form (names and references).
    void CheckForm(QWidget *root, const std::vector<QWidget *> &all,
                   std::vector<TLayoutProblem> &out) const;

    QStringList FChecks = AllChecks();
    TTextStress FStress;
};
