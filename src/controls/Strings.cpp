#include "controls/Strings.h"

#include "platform/CodePage.h"
#include "platform/Exception.h"
#include "reflection/Reader.h"
#include "reflection/Writer.h"

TStrings::TStrings(TReader reader, TWriter writer)
    : FReader(std::move(reader)), FWriter(std::move(writer))
{
}

QStringList TStrings::Lines() const
{
    return FReader ? FReader() : FLines;
}

void TStrings::SetLines(const QStringList &lines)
{
    if (FWriter)
        FWriter(lines);
    else
        FLines = lines;
    if (OnChange)
        OnChange();
}

void TStrings::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStrings::Get(int index) const
{
    const QStringList lines = Lines();
    CheckIndex(index, static_cast<int>(lines.size()));
    return CodePage::FromQString(lines[index]);
}

void TStrings::Put(int index, const std::string &line)
{
    QStringList lines = Lines();
    CheckIndex(index, static_cast<int>(lines.size()));
    lines[index] = CodePage::ToQString(line);
    SetLines(lines);
}

void TStrings::Add(const std::string &line)
{
    QStringList lines = Lines();
    lines.append(CodePage::ToQString(line));
    SetLines(lines);
}

void TStrings::Insert(int index, const std::string &line)
{
    QStringList lines = Lines();
    CheckIndex(index, static_cast<int>(lines.size()) + 1);
    lines.insert(index, CodePage::ToQString(line));
    SetLines(lines);
}

void TStrings::Delete(int index)
{
    QStringList lines = Lines();
    CheckIndex(index, static_cast<int>(lines.size()));
    lines.removeAt(index);
    SetLines(lines);
}

std::vector<std::string> TStrings::Strings() const
{
    return CodePage::FromQStringList(Lines());
}

void TStrings::SetStrings(const std::vector<std::string> &lines)
{
    SetLines(CodePage::ToQStringList(lines));
}

void TStrings::Assign(const TStrings &other)
{
    if (&other != this)
        SetLines(other.Lines());
}

void TStrings::DefineProperties(TFiler &filer)
{
    filer.DefineProperty(
        "Strings", [this](::TReader &reader) { SetStrings(reader.ReadStrings()); },
        [this](::TWriter &writer) { writer.WriteStrings(Strings()); }, Count() > 0);
}
