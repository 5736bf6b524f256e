#pragma once

#include "checks/LayoutChecker.h"
#include "designer/DesignChange.h"

#include <QPointer>
#include <QString>
#include <unordered_map>
#include <vector>

// The problems of a design kept up to date change by change: it learns
// what each change touched and, when asked, checks again only the
// containers the change can have altered, falling back to a whole check
// when it cannot tell.
class TProblemTracker
{
public:
    explicit TProblemTracker(const TLayoutChecker &checker);
    ~TProblemTracker();

    // The next update checks the whole design (opened, replaced, checks or
    // stress switched).
    void Invalidate() { FWhole = true; }
    void Changed(const TDesignChange &change);
    // Brings the problems up to date; true when they changed.
    bool Update(QWidget *root);

    const std::vector<TLayoutProblem> &Problems() const { return FSet.All(); }

private:
    // Adds the containers whose children's problems a change of a control
    // can alter all of (those below it, a container that places its
    // children) and the one among whose children only it changed; false
    // when that is the whole design.
    static bool AddScope(QWidget *root, QWidget *control, std::vector<QWidget *> &whole,
                         std::unordered_map<QWidget *, std::vector<QWidget *>> &changed);
    // Whether a change of values can have altered the problems of the whole
    // form: a name changed, or a label's reference.
    bool FormTouched();
    void KeepNames(QWidget *root);
    // Checks a container's children again, all of them or only the changed.
    bool Recheck(QWidget *root, QWidget *container, const std::vector<QWidget *> *changed,
                 bool values);

    const TLayoutChecker &FChecker;
    TProblemSet FSet;
    TLayoutChecker::TKept FKept;
    // Each control's name when the form was last checked.
    std::unordered_map<const QWidget *, QString> FNames;
    bool FWhole = true;
    bool FValues = false;
    std::vector<QPointer<QWidget>> FTouched;
};
