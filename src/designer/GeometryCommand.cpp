#include "designer/GeometryCommand.h"

#include "designer/DesignHistory.h"

#include <QWidget>

TGeometryCommand::TGeometryCommand(TDesignHistory &history, const QString &text,
                                   std::vector<TEntry> entries, bool alreadyDone, int mergeId)
    : TDesignCommand(history, text, alreadyDone), FEntries(std::move(entries)), FMergeId(mergeId)
{
}

bool TGeometryCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const TGeometryCommand *>(other);
    if (next->FEntries.size() != FEntries.size())
        return false;
    for (size_t i = 0; i < FEntries.size(); ++i)
        if (!(next->FEntries[i].Path == FEntries[i].Path))
            return false;
    for (size_t i = 0; i < FEntries.size(); ++i)
        FEntries[i].After = next->FEntries[i].After;
    return true;
}

void TGeometryCommand::Place(bool after)
{
    std::vector<TControlPath> paths;
    paths.reserve(FEntries.size());
    for (const TEntry &e : FEntries)
        paths.push_back(e.Path);
    const std::vector<QWidget *> controls = History.Resolve(paths);
    for (size_t i = 0; i < controls.size(); ++i)
        controls[i]->setGeometry(after ? FEntries[i].After : FEntries[i].Before);
}

void TGeometryCommand::Undo()
{
    Place(false);
}

void TGeometryCommand::Redo()
{
    Place(true);
}

std::vector<TControlPath> TGeometryCommand::Touched(bool) const
{
    std::vector<TControlPath> paths;
    for (const TEntry &e : FEntries)
        paths.push_back(e.Path);
    return paths;
}
