#include "propgrid/RSStringList.h"

#include "reflection/RSConsts.h"

#include <algorithm>
#include <cctype>
#include <typeinfo>

TRSStringList::TRSStringList(std::initializer_list<std::string> lines) : FLines(lines) {}

std::string TRSStringList::Get(int index)
{
    if (index < 0 || index >= Count())
        throw ERSException(RSFormat(RSConsts::SListIndexError, index));
    return FLines[index];
}

void TRSStringList::Put(int index, const std::string &s)
{
    if (index < 0 || index >= Count())
        throw ERSException(RSFormat(RSConsts::SListIndexError, index));
    if (FLines[index] == s)
        return;
    FLines[index] = s;
    Changed();
}

void TRSStringList::Insert(int index, const std::string &s)
{
    if (index < 0 || index > Count())
        throw ERSException(RSFormat(RSConsts::SListIndexError, index));
    FLines.insert(FLines.begin() + index, s);
    Changed();
}

void TRSStringList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw ERSException(RSFormat(RSConsts::SListIndexError, index));
    FLines.erase(FLines.begin() + index);
    Changed();
}

void TRSStringList::Clear()
{
    if (FLines.empty())
        return;
    FLines.clear();
    Changed();
}

std::string TRSStringList::Text()
{
    std::string out;
    const int n = Count();
    for (int i = 0; i < n; ++i)
        out += Get(i) + "\r\n";
    return out;
}

void TRSStringList::SetText(const std::string &text)
{
    SetLines(RSSplitLines(text));
}

void TRSStringList::SetLines(std::vector<std::string> lines)
{
    if (FSorted)
        std::stable_sort(lines.begin(), lines.end(),
                         [](const auto &a, const auto &b) { return RSCompareText(a, b) < 0; });
    if (lines == FLines)
        return;
    FLines = std::move(lines);
    Changed();
}

int TRSStringList::Add(const std::string &s)
{
    const int index = FSorted ? FindSorted(s) : Count();
    Insert(index, s);
    return index;
}

void TRSStringList::Assign(TRSStringList &source)
{
    if (&source == this)
        return;
    // Views over other data take the text their own way.
    if (typeid(*this) != typeid(TRSStringList)) {
        SetText(source.Text());
        return;
    }
    // A plain list copies line by line: joining into one text and splitting
    // it again cost more than the copy, for every pick list a preset hands to
    // a row.
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(source.Count()));
    for (int i = 0; i < source.Count(); ++i)
        lines.push_back(source.Get(i));
    SetLines(std::move(lines));
}

bool TRSStringList::Equals(TRSStringList &other)
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

int TRSStringList::IndexOf(const std::string &s) const
{
    for (size_t i = 0; i < FLines.size(); ++i)
        if (RSCompareText(FLines[i], s) == 0)
            return static_cast<int>(i);
    return -1;
}

std::string TRSStringList::Name(int index)
{
    const std::string line = Get(index);
    const auto pos = line.find('=');
    return pos == std::string::npos ? line : line.substr(0, pos);
}

std::string TRSStringList::ValueFromIndex(int index)
{
    const std::string line = Get(index);
    const auto pos = line.find('=');
    return pos == std::string::npos ? std::string() : line.substr(pos + 1);
}

int TRSStringList::IndexOfName(const std::string &name)
{
    for (int i = 0; i < Count(); ++i) {
        const std::string &line = FLines[i];
        const auto pos = line.find('=');
        if (pos != std::string::npos && RSCompareText(line.substr(0, pos), name) == 0)
            return i;
    }
    return -1;
}

void TRSStringList::SetSorted(bool value)
{
    if (FSorted == value)
        return;
    FSorted = value;
    if (value && !std::is_sorted(FLines.begin(), FLines.end(), [](const auto &a, const auto &b) {
            return RSCompareText(a, b) < 0;
        })) {
        std::stable_sort(FLines.begin(), FLines.end(),
                         [](const auto &a, const auto &b) { return RSCompareText(a, b) < 0; });
        Changed();
    }
}

void TRSStringList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedInUpdate) {
        FChangedInUpdate = false;
        Changed();
    }
}

void TRSStringList::Changed()
{
    if (FUpdateCount > 0) {
        FChangedInUpdate = true;
        return;
    }
    if (OnChange)
        OnChange();
}

int TRSStringList::FindSorted(const std::string &s) const
{
    const auto it =
        std::upper_bound(FLines.begin(), FLines.end(), s,
                         [](const auto &a, const auto &b) { return RSCompareText(a, b) < 0; });
    return static_cast<int>(it - FLines.begin());
}

std::vector<std::string> RSSplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

int RSCompareText(const std::string &a, const std::string &b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string RSTrimRight(const std::string &s)
{
    size_t end = s.size();
    while (end > 0 && static_cast<unsigned char>(s[end - 1]) <= ' ')
        --end;
    return s.substr(0, end);
}

std::string RSTrim(const std::string &s)
{
    size_t begin = 0;
    while (begin < s.size() && static_cast<unsigned char>(s[begin]) <= ' ')
        ++begin;
    return RSTrimRight(s.substr(begin));
}
