#include "designer/DesignHistory.h"

#include "controls/LXStringGrid.h"
#include "designer/CellTextCommand.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/GeometryCommand.h"
#include "designer/LXControlsContainer.h"
#include "designer/PropertyCommand.h"
#include "designer/ReparentCommand.h"
#include "designer/StackingCommand.h"
#include "designer/StructureCommand.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QWidget>

TDesignHistory::TDesignHistory(TLXControlsContainer *container, TRSObjectInspector *inspector)
    : QObject(container), FContainer(container), FSnapshot(container, inspector),
      FParking(std::make_unique<QWidget>())
{
    connect(&FStack, &QUndoStack::indexChanged, this, [this] { IndexChanged(); });
}

TDesignHistory::~TDesignHistory()
{
    // The steps delete the controls they keep before the parking goes.
    FStack.clear();
}

QWidget *TDesignHistory::Root() const
{
    return FContainer;
}

std::vector<QWidget *> TDesignHistory::Resolve(const std::vector<TControlPath> &paths)
{
    std::vector<QWidget *> controls = TControlPath::ResolveAll(paths, FContainer);
    for (QWidget *c : controls)
        if (!c)
            throw Exception("The design no longer holds a control that this step changed.");
    return controls;
}

void TDesignHistory::Touch(std::vector<TControlPath> paths)
{
    FTouched = std::move(paths);
    FTouchPending = true;
}

void TDesignHistory::IndexChanged()
{
    if (!FTouchPending)
        return;
    FTouchPending = false;
    std::vector<QWidget *> controls;
    for (QWidget *c : TControlPath::ResolveAll(FTouched, FContainer))
        if (c)
            controls.push_back(c);
    FTouched.clear();
    if (OnSelect)
        OnSelect(controls);
}

void TDesignHistory::Changed(TDesignChange::TKind kind, const std::vector<TControlPath> &paths)
{
    if (!OnChanged)
        return;
    TDesignChange change;
    change.Kind = kind;
    if (kind != TDesignChange::Structure)
        for (QWidget *c : TControlPath::ResolveAll(paths, FContainer)) {
            // A control the step cannot find: nothing can be assumed.
            if (!c) {
                change = TDesignChange();
                break;
            }
            change.Controls.push_back(c);
        }
    OnChanged(change);
}

void TDesignHistory::ForgetSelection()
{
    if (DesignerHandler && !DesignerHandler->Selection().empty())
        DesignerHandler->ClearSelection();
}

QString TDesignHistory::Subject(const std::vector<QWidget *> &controls)
{
    if (controls.size() == 1)
        return controls.front()->objectName();
    return QStringLiteral("%1 controls").arg(controls.size());
}

void TDesignHistory::Added(const QString &text, const std::vector<QWidget *> &controls)
{
    if (controls.empty() || FSuspended)
        return;
    FStack.push(new TStructureCommand(*this, text, TStructureCommand::Insert, controls));
}

void TDesignHistory::Remove(const QString &text, const std::vector<QWidget *> &controls)
{
    if (controls.empty())
        return;
    FStack.push(new TStructureCommand(*this, text, TStructureCommand::Remove, controls));
}

void TDesignHistory::Restack(const QString &text, const std::vector<QWidget *> &controls,
                             bool toFront)
{
    if (controls.empty())
        return;
    FStack.push(new TStackingCommand(*this, text, controls, toFront));
}

bool TDesignHistory::Reparent(const std::vector<QWidget *> &controls, QWidget *target)
{
    if (!TReparentCommand::CanMove(controls, target, FContainer))
        return false;
    FinishPropertyEdit();
    const QString name =
        target == FContainer ? QStringLiteral("the surface") : target->objectName();
    FStack.push(new TReparentCommand(*this,
                                     QStringLiteral("Move %1 into %2").arg(Subject(controls), name),
                                     controls, target, NewControlName));
    return true;
}

void TDesignHistory::SetCellText(TLXStringGrid *grid, int col, int row, const QString &text)
{
    if (FSuspended || grid->Cell(col, row) == text)
        return;
    CodePage::CheckStorable(text);
    FinishPropertyEdit();
    FStack.push(new TCellTextCommand(*this, grid, col, row, text));
}

void TDesignHistory::BeginGeometry(const std::vector<QWidget *> &controls)
{
    FGeometryControls.assign(controls.begin(), controls.end());
    FGeometryBefore.clear();
    for (QWidget *c : controls)
        FGeometryBefore.push_back(c->geometry());
}

void TDesignHistory::EndGeometry(const QString &verb)
{
    std::vector<QWidget *> changed;
    std::vector<QRect> before;
    size_t count = 0;
    for (size_t i = 0; i < FGeometryControls.size(); ++i) {
        QWidget *c = FGeometryControls[i];
        if (!c)
            continue;
        ++count;
        if (c->geometry() != FGeometryBefore[i]) {
            changed.push_back(c);
            before.push_back(FGeometryBefore[i]);
        }
    }
    std::vector<QWidget *> all;
    for (const QPointer<QWidget> &c : FGeometryControls)
        if (c)
            all.push_back(c);
    FGeometryControls.clear();
    FGeometryBefore.clear();
    if (changed.empty() || FSuspended)
        return;
    const std::vector<TControlPath> paths = TControlPath::OfAll(changed, FContainer);
    std::vector<TGeometryCommand::TEntry> entries;
    for (size_t i = 0; i < changed.size(); ++i)
        entries.push_back({paths[i], before[i], changed[i]->geometry()});
    const QString text = verb.contains(' ') ? verb : verb + ' ' + Subject(all);
    FStack.push(new TGeometryCommand(*this, text, std::move(entries), true));
}

void TDesignHistory::Nudge(const std::vector<QWidget *> &controls, int dx, int dy, bool resize,
                           bool snap)
{
    if (controls.empty())
        return;
    const int step = DesignerHandler ? DesignerHandler->GridStep : 5;
    // Only the axis the key moves along snaps; the other keeps its value.
    auto place = [snap, step](int value, int delta) {
        return snap && delta ? value - value % step : value;
    };
    const std::vector<TControlPath> paths = TControlPath::OfAll(controls, FContainer);
    std::vector<TGeometryCommand::TEntry> entries;
    for (size_t i = 0; i < controls.size(); ++i) {
        const QRect before = controls[i]->geometry();
        QRect after = before;
        if (resize) {
            after.setWidth(std::max(0, place(before.width() + dx, dx)));
            after.setHeight(std::max(0, place(before.height() + dy, dy)));
        } else {
            after.moveTo(place(before.x() + dx, dx), place(before.y() + dy, dy));
        }
        entries.push_back({paths[i], before, after});
    }
    const QString text =
        (resize ? QStringLiteral("Resize ") : QStringLiteral("Move ")) + Subject(controls);
    const int id = resize ? TGeometryCommand::KeyboardResize : TGeometryCommand::KeyboardMove;
    auto *command = new TGeometryCommand(*this, text, std::move(entries), false, id);
    FStack.push(command);
}

void TDesignHistory::BeginPropertyEdit(const std::vector<QWidget *> &controls, const QString &text)
{
    if (FEditOpen || FSuspended || controls.empty())
        return;
    FEditOpen = true;
    FEditText = text;
    const std::vector<TControlPath> paths = TControlPath::OfAll(controls, FContainer);
    for (size_t i = 0; i < controls.size(); ++i)
        FEdits.push_back({controls[i], paths[i], FSnapshot.Capture(controls[i])});
    QMetaObject::invokeMethod(
        this, [this] { FinishPropertyEdit(); }, Qt::QueuedConnection);
}

void TDesignHistory::FinishPropertyEdit()
{
    if (!FEditOpen)
        return;
    FEditOpen = false;
    const std::vector<TPendingEdit> edits = std::move(FEdits);
    FEdits.clear();
    std::vector<TPropertyCommand::TEntry> entries;
    for (const TPendingEdit &edit : edits) {
        if (!edit.Control)
            continue;
        TStateDelta delta =
            TLayoutSnapshot::Difference(edit.Before, FSnapshot.Capture(edit.Control));
        if (delta.IsEmpty())
            continue;
        entries.push_back(
            {edit.Path, TControlPath::Of(edit.Control, FContainer), std::move(delta)});
    }
    if (!entries.empty())
        FStack.push(new TPropertyCommand(*this, FEditText, std::move(entries)));
}

TDesignHistory::TSuspend::TSuspend(TDesignHistory *history) : FHistory(history)
{
    if (FHistory)
        ++FHistory->FSuspended;
}

TDesignHistory::TSuspend::~TSuspend()
{
    if (FHistory)
        --FHistory->FSuspended;
}
