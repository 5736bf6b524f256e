#pragma once

#include <functional>
#include <string>
#include <vector>

// An ordered list of 8-bit strings with a change event, the string list that
// rows, the grid and the editors share. Text joins the lines with CR LF.
class TRSStringList
{
public:
    TRSStringList() = default;
    TRSStringList(std::initializer_list<std::string> lines);
    virtual ~TRSStringList() = default;

    virtual int Count() const { return static_cast<int>(FLines.size()); }
    virtual std::string Get(int index);
    virtual void Put(int index, const std::string &s);
    virtual void Insert(int index, const std::string &s);
    virtual void Delete(int index);
    virtual void Clear();
    virtual std::string Text();
    virtual void SetText(const std::string &text);
    // As SetText with the text already split into lines.
    void SetLines(std::vector<std::string> lines);

    std::string operator[](int index) { return Get(index); }
    int Add(const std::string &s);
    void Assign(TRSStringList &source);
    bool Equals(TRSStringList &other);
    int IndexOf(const std::string &s) const;
    // Name part (before the first "=") and value part of line i.
    std::string Name(int index);
    std::string ValueFromIndex(int index);
    int IndexOfName(const std::string &name);
    const std::vector<std::string> &Lines() const { return FLines; }

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    std::function<void()> OnChange;

protected:
    void Changed();
    std::vector<std::string> FLines;

private:
    int FindSorted(const std::string &s) const;
    bool FSorted = false;
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
};

// Splits a text into lines at CR LF, LF or CR; a final line break adds no line.
std::vector<std::string> RSSplitLines(const std::string &text);
// Case-insensitive comparison of ASCII letters, as names are compared.
int RSCompareText(const std::string &a, const std::string &b);
std::string RSTrimRight(const std::string &s);
std::string RSTrim(const std::string &s);
