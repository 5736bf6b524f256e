#pragma once

#include "designer/DesignCommand.h"

#include <QRect>
#include <QString>
#include <functional>

class QWidget;

// Moves controls into another panel, group box or the surface. Each control
// goes to the top of its new siblings, where it lies as it lay before as far
// as the new parent's client area allows; a name that a new sibling already
// has is replaced by a free one, since names are unique within a parent.
// Undo puts every control back under its old parent, at its old place in the
// stacking order, with its old geometry and name.
class TReparentCommand : public TDesignCommand
{
public:
    // Made before the change; redo applies it. The controls must not hold
    // the target.
    TReparentCommand(TDesignHistory &history, const QString &text,
                     const std::vector<QWidget *> &controls, QWidget *target,
                     const std::function<QString(QWidget *target)> &newControlName);

    // Whether the controls can go into target: a panel, group box or the
    // surface that none of them is or holds, and not their parent already.
    static bool CanMove(const std::vector<QWidget *> &controls, QWidget *target, QWidget *root);

protected:
    void Undo() override;
    void Redo() override;
    std::vector<TControlPath> Touched(bool undone) const override;

private:
    struct TEntry {
        TControlPath From;
        TControlPath FromParent;
        int FromIndex = 0;
        QRect FromGeometry;
        QString FromName;
        TControlPath To;
    };

    TControlPath FTarget;
    std::vector<TEntry> FEntries;
    std::function<QString(QWidget *)> FNewControlName;
};
