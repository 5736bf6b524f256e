#pragma once

#include "reflection/Persistent.h"

#include <QStringList>
#include <functional>
#include <string>
#include <vector>

// A list of text lines: either held by the object itself (a control's
// Comment) or bound to a widget's content (a list box's Items, a memo's
// Lines), which it reads and replaces so that both stay in step.
class TStrings : public TPersistent
{
public:
    using TReader = std::function<QStringList()>;
    using TWriter = std::function<void(const QStringList &)>;

    TStrings() = default;
    TStrings(TReader reader, TWriter writer);
    TStrings(const TStrings &) = delete;
    TStrings &operator=(const TStrings &) = delete;

    QStringList Lines() const;
    void SetLines(const QStringList &lines);

    int Count() const { return static_cast<int>(Lines().size()); }
    // Lines in the system code page; an index outside the list raises
    // "List index out of bounds (%d)".
    std::string Get(int index) const;
    void Put(int index, const std::string &line);
    void Add(const std::string &line);
    void Insert(int index, const std::string &line);
    void Delete(int index);
    void Clear() { SetLines({}); }
    std::vector<std::string> Strings() const;
    void SetStrings(const std::vector<std::string> &lines);

    // Copies the other list's lines; never keeps the other list.
    void Assign(const TStrings &other);

    // The lines are stored as the extra property "Strings".
    void DefineProperties(TFiler &filer) override;

    std::function<void()> OnChange;

private:
    void CheckIndex(int index, int count) const;

    QStringList FLines;
    TReader FReader;
    TWriter FWriter;
};
