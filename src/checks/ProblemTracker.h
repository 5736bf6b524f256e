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
    explicit TProblemTracker(const TLayoutChecker &checker) : FChecker(checker) {}

    // The next update checks the whole design (opened, replaced, checks or
    // stress switched).
    void Invalidate() { FWhole = true; }
    void Changed(const TDesignChange &change);
    // Brings the problems up to date; true when they changed.
    bool Update(QWidget *root);

    const std::vector<TLayoutProblem> &Problems() const { return FSet.All(); }

private:
    // Adds the containers whose children's problems a change of control can
    // alter, and forgets what the controls it can alter found on their own;
    // false when that is the whole design.
    bool AddScope(QWidget *root, QWidget *control, std::vector<QWidget *> &containers);
    // Whether a change of values can have altered the problems of the whole
    // form: a name changed, or a label's reference.
    bool FormTouched();
    void KeepNames(QWidget *root);

    const TLayoutChecker &FChecker;
    TProblemSet FSet;
    TLayoutChecker::TKnown FKnown;
    // Each control's name when the form was last checked.
    std::unordered_map<const QWidget *, QString> FNames;
    bool FWhole = true;
    bool FForm = false;
    std::vector<QPointer<QWidget>> FTouched;
};
