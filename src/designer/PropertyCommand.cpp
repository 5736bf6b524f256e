#include "designer/PropertyCommand.h"

#include "designer/DesignHistory.h"

TPropertyCommand::TPropertyCommand(TDesignHistory &history, const QString &text,
                                   std::vector<TEntry> entries)
    : TDesignCommand(history, text, true), FEntries(std::move(entries))
{
}

size_t TPropertyCommand::Bytes() const
{
    size_t total = sizeof(*this) + text().capacity() * sizeof(QChar);
    for (const TEntry &e : FEntries) {
        total += sizeof(TEntry) - sizeof(TStateDelta) + e.Delta.Bytes();
        for (const TControlPath *path : {&e.PathBefore, &e.PathAfter})
            for (const TControlPath::TSegment &s : path->Segments())
                total += sizeof(s) + s.Name.capacity() * sizeof(QChar);
    }
    return total;
}

void TPropertyCommand::Undo()
{
    std::vector<TControlPath> paths;
    for (const TEntry &e : FEntries)
        paths.push_back(e.PathAfter);
    const std::vector<QWidget *> controls = History.Resolve(paths);
    for (size_t i = 0; i < controls.size(); ++i)
        History.Snapshot().Restore(controls[i], FEntries[i].Delta.Before,
                                   FEntries[i].Delta.CellsBefore);
}

void TPropertyCommand::Redo()
{
    std::vector<TControlPath> paths;
    for (const TEntry &e : FEntries)
        paths.push_back(e.PathBefore);
    const std::vector<QWidget *> controls = History.Resolve(paths);
    for (size_t i = 0; i < controls.size(); ++i)
        History.Snapshot().Restore(controls[i], FEntries[i].Delta.After,
                                   FEntries[i].Delta.CellsAfter);
}

std::vector<TControlPath> TPropertyCommand::Touched(bool undone) const
{
    std::vector<TControlPath> paths;
    for (const TEntry &e : FEntries)
        paths.push_back(undone ? e.PathBefore : e.PathAfter);
    return paths;
}
