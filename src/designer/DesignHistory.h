#pragma once

#include "designer/ControlPath.h"
#include "designer/DesignChange.h"
#include "designer/LayoutSnapshot.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <vector>

class QWidget;
class TLXControlsContainer;
class TLXStringGrid;
class TRSObjectInspector;

// The undo history of a design and the one way every change of the design
// becomes a step of it. Steps find their controls by path; once a step was
// undone or redone, the controls it touched are handed to OnSelect.
class TDesignHistory : public QObject
{
public:
    // The inspector serves only to read and write the controls' values; it
    // must be configured like the one that writes the layout file.
    TDesignHistory(TLXControlsContainer *container, TRSObjectInspector *inspector);
    ~TDesignHistory() override;

    QUndoStack &Stack() { return FStack; }
    QWidget *Root() const;
    TLayoutSnapshot &Snapshot() { return FSnapshot; }
    // The hidden widget that keeps the controls out of the design.
    QWidget *Parking() const { return FParking.get(); }

    // Controls that were added to the design (dropped, pasted, duplicated).
    void Added(const QString &text, const std::vector<QWidget *> &controls);
    // Takes the controls out of the design as one step.
    void Remove(const QString &text, const std::vector<QWidget *> &controls);
    void Restack(const QString &text, const std::vector<QWidget *> &controls, bool toFront);
    // Moves the controls into target (a panel, group box or the surface) as
    // one step; false, and no step, when they cannot go there.
    bool Reparent(const std::vector<QWidget *> &controls, QWidget *target);
    // The name a control moved into target gets when its own is taken there.
    std::function<QString(QWidget *target)> NewControlName;

    // Sets the text of a cell of a designed string grid as one step; text
    // the layout's code page cannot hold is refused with an error.
    void SetCellText(TLXStringGrid *grid, int col, int row, const QString &text);

    // A change of the controls' geometry by the mouse or a dialog: the
    // geometry is taken at the start and compared at the end, which makes a
    // step when anything moved.
    void BeginGeometry(const std::vector<QWidget *> &controls);
    void EndGeometry(const QString &verb);
    // A keyboard move (or resize) of the controls by (dx, dy), snapped to
    // the grid when asked; repeated presses merge into one step.
    void Nudge(const std::vector<QWidget *> &controls, int dx, int dy, bool resize, bool snap);

    // An inspector edit is about to write to the controls: their values are
    // taken now and compared once the current event has been handled.
    void BeginPropertyEdit(const std::vector<QWidget *> &controls, const QString &text);
    // Finishes a pending edit at once.
    void FinishPropertyEdit();

    // While suspended (a layout being opened) writes make no steps.
    class TSuspend
    {
    public:
        explicit TSuspend(TDesignHistory *history);
        ~TSuspend();
        TSuspend(const TSuspend &) = delete;
        TSuspend &operator=(const TSuspend &) = delete;

    private:
        TDesignHistory *FHistory;
    };

    // The controls at the paths; an error when one is missing.
    std::vector<QWidget *> Resolve(const std::vector<TControlPath> &paths);
    // Called by steps: the controls to select afterwards.
    void Touch(std::vector<TControlPath> paths);
    // Called by steps before controls leave the design.
    void ForgetSelection();
    // The label of several controls in step texts ("3 controls") or the
    // name of one.
    static QString Subject(const std::vector<QWidget *> &controls);

    // Called by steps once their change was done, undone or redone.
    void Changed(TDesignChange::TKind kind, const std::vector<TControlPath> &paths);

    std::function<void(const std::vector<QWidget *> &)> OnSelect;
    // Every change a step made, done, undone or redone, at once.
    std::function<void(const TDesignChange &)> OnChanged;

private:
    void IndexChanged();

    TLXControlsContainer *FContainer;
    QUndoStack FStack;
    TLayoutSnapshot FSnapshot;
    std::unique_ptr<QWidget> FParking;
    std::vector<TControlPath> FTouched;
    bool FTouchPending = false;
    int FSuspended = 0;

    std::vector<QPointer<QWidget>> FGeometryControls;
    std::vector<QRect> FGeometryBefore;

    struct TPendingEdit {
        QPointer<QWidget> Control;
        TControlPath Path;
        TControlState Before;
    };
    std::vector<TPendingEdit> FEdits;
    QString FEditText;
    bool FEditOpen = false;
};
