#include "persistence/KeptContent.h"

#include <QWidget>
#include <unordered_map>

namespace
{

using TTable = std::unordered_map<const QObject *, std::shared_ptr<const TKeptContent>>;

// Reachable until the program ends, so that controls destroyed late still
// find it.
TTable &Table()
{
    static auto *table = new TTable;
    return *table;
}

} // namespace

const TKeptContent *TKeptContent::Of(const QWidget *control)
{
    const TTable &table = Table();
    if (table.empty())
        return nullptr;
    const auto it = table.find(control);
    return it == table.end() ? nullptr : it->second.get();
}

void TKeptContent::Attach(QWidget *control, std::shared_ptr<const TKeptContent> content)
{
    const bool added = Table().insert_or_assign(control, std::move(content)).second;
    if (added)
        QObject::connect(control, &QObject::destroyed, [control] { Table().erase(control); });
}
