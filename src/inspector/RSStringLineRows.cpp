// The rows of a string list's lines, shown in place under the list's row:
// one row per line, named after the line's name part where every line
// reads "name=value", and written back into the list line by line.
#include "inspector/RSCustomObjectInspector.h"

#include "controls/Strings.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSStringLineRows.h"
#include "propgrid/RSItemPropValueStrings.h"

namespace
{

constexpr char kLineTypeName[] = "TStrings Item";
constexpr char kNameValueSeparator = '=';

std::string NameOfLine(const std::string &line)
{
    const size_t eq = line.find(kNameValueSeparator);
    return eq == std::string::npos ? line : line.substr(0, eq);
}

std::string ValueOfLine(const std::string &line)
{
    const size_t eq = line.find(kNameValueSeparator);
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

} // namespace

bool IsLineRow(const TRSItemProp *row)
{
    const auto *p = dynamic_cast<const TRSItemProperty *>(row);
    return p && !p->HasTypeData() && p->TypeName() == kLineTypeName;
}

void TRSCustomObjectInspector::AddStringLines(TRSItemProperty *row,
                                              const std::vector<TStrings *> &lists)
{
    std::vector<std::vector<std::string>> lines;
    for (TStrings *list : lists)
        lines.push_back(list->Strings());
    const size_t count = lines.front().size();
    for (const auto &l : lines)
        if (l.size() != count)
            return;
    if (count == 0)
        return;
    const bool multi = FDisplayOptions & doMultiColValues;
    const bool useNameValue = FInplaceTStringsOptions & InplaceOption(isUseNameValue);
    TRSItemProps *rows = row->Items();
    rows->SetSorted(FInplaceTStringsOptions & InplaceOption(isSort));
    for (size_t k = 0; k < count; ++k) {
        const int line = static_cast<int>(k);
        bool nameValue = useNameValue;
        bool allEqual = true;
        const std::string &first = lines.front()[k];
        for (const auto &l : lines) {
            const std::string &text = l[k];
            if (!text.empty() && text.find(kNameValueSeparator) == std::string::npos)
                nameValue = false;
            if (NameOfLine(text) != NameOfLine(first))
                nameValue = false;
            if (text != first)
                allEqual = false;
        }
        TRSItemProperty *lineRow;
        if (nameValue) {
            // The name is a path: its leading segments are rows of their own.
            const std::string name = NameOfLine(first);
            const std::string &delimiter = PathDelimiter();
            TRSItemProps *into = rows;
            size_t start = 0;
            for (size_t cut;
                 !delimiter.empty() && (cut = name.find(delimiter, start)) != std::string::npos;
                 start = cut + delimiter.size()) {
                const std::string segment = name.substr(start, cut - start);
                const int i = into->IndexOfName(segment);
                TRSItemProp *step = i >= 0 ? into->Item(i) : AddLineRow(into, segment, -1, true);
                into = step->Items();
            }
            const std::string last = name.substr(start);
            const int i = into->IndexOfName(last);
            if (i >= 0 && into->Item(i)->HasChildren() && IsLineRow(into->Item(i))) {
                lineRow = static_cast<TRSItemProperty *>(into->Item(i));
            } else {
                lineRow = AddLineRow(into, last, line, true);
            }
        } else {
            lineRow = AddLineRow(rows, RSFormat(FStringsItemFormat, line), line, false);
        }
        for (int c = 0; c < ValueColumns(); ++c)
            lineRow->SetStoredValue(c, TVariant(line));
        auto textOf = [&](const std::string &text) {
            return nameValue && !text.empty() ? ValueOfLine(text) : text;
        };
        if (multi) {
            for (size_t i = 0; i < lines.size(); ++i)
                lineRow->Values()->Put(static_cast<int>(i), textOf(lines[i][k]));
        } else {
            lineRow->Values()->Put(0, textOf(first));
        }
        lineRow->SetIsAllEqual(allEqual);
    }
}

TRSItemProperty *TRSCustomObjectInspector::AddLineRow(TRSItemProps *rows, const std::string &name,
                                                      int line, bool nameValue)
{
    auto *row = static_cast<TRSItemProperty *>(rows->Add());
    row->SetName(name);
    row->SetPropName(name);
    row->SetTypeKind(tkString);
    row->SetTypeName(kLineTypeName);
    row->SetHasTypeData(false);
    row->SetItemKind(ikProperty);
    for (int c = 0; c < ValueColumns(); ++c)
        row->SetStoredValue(c, TVariant(line));
    row->SetIsAllEqual(true);
    row->OnGetProperty = [this, nameValue](TRSItemProperty *sender, TPersistent *instance,
                                           const std::string &, std::string &value) {
        value = ReadLine(sender, instance, nameValue);
    };
    row->OnSetProperty = [this, nameValue](TRSItemProperty *sender, TPersistent *instance,
                                           const std::string &, const std::string &value) {
        WriteLine(sender, instance, value, nameValue);
    };
    return row;
}

std::string TRSCustomObjectInspector::LinePath(const TRSItemProperty *row) const
{
    std::string path = row->PropName();
    for (const TRSItemProp *p = row->ParentItem(); p && IsLineRow(p); p = p->ParentItem())
        path = static_cast<const TRSItemProperty *>(p)->PropName() + PathDelimiter() + path;
    return path;
}

std::string TRSCustomObjectInspector::ReadLine(TRSItemProperty *row, TPersistent *instance,
                                               bool nameValue)
{
    auto *list = dynamic_cast<TStrings *>(instance);
    const int64_t k = row->StoredValue(0).AsInt64();
    if (!list || k < 0 || k >= list->Count())
        return {};
    const std::string line = list->Get(static_cast<int>(k));
    return nameValue && !line.empty() ? ValueOfLine(line) : line;
}

void TRSCustomObjectInspector::WriteLine(TRSItemProperty *row, TPersistent *instance,
                                         const std::string &text, bool nameValue)
{
    auto *list = dynamic_cast<TStrings *>(instance);
    if (!list)
        return;
    const int64_t k = row->StoredValue(0).AsInt64();
    if (nameValue && k < 0) {
        list->Add(LinePath(row) + kNameValueSeparator + text);
    } else {
        // A line that is gone by now raises the list's index error.
        const int index = static_cast<int>(k);
        const bool whole = !nameValue || (index < list->Count() && list->Get(index).empty());
        list->Put(index, whole ? text : LinePath(row) + kNameValueSeparator + text);
    }
    // Names and the number of lines may have changed: the rows follow.
    RequestRebuild();
}
