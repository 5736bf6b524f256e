#include "xml/XmlNameTable.h"

#include <cstring>

TXmlNameTable::TXmlNameTable(int bucketCount) : FBuckets(size_t(bucketCount < 1 ? 1 : bucketCount))
{
    InternStandardNames();
}

TXmlNameTable::TXmlNameTable(int bucketCount, std::vector<std::string> names)
    : FNames(std::move(names)), FBuckets(size_t(bucketCount < 1 ? 1 : bucketCount))
{
    for (size_t id = 0; id < FNames.size(); ++id)
        FBuckets[BucketOf(Hash(FNames[id]))].push_back(int32_t(id));
    InternStandardNames();
}

void TXmlNameTable::InternStandardNames()
{
    const size_t count = FBuckets.size();
    FMask = (count & (count - 1)) == 0 ? uint32_t(count - 1) : 0;
    FTextId = NameToId("#text");
    FCDataId = NameToId("#cdata-section");
    FCommentId = NameToId("#comment");
    FDocumentId = NameToId("#document");
    FXmlId = NameToId("xml");
}

namespace
{
// Names are short: compared in place rather than through a library call.
inline bool SameBytes(const char *a, const char *b, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}
} // namespace

uint32_t TXmlNameTable::Hash(std::string_view name) noexcept
{
    uint32_t h = 0;
    for (char c : name)
        h = h * 33 + static_cast<unsigned char>(c);
    return h;
}

int TXmlNameTable::FindName(std::string_view name) const
{
    if (name.empty())
        return -1;
    const TNameIndexArray &bucket = FBuckets[BucketOf(Hash(name))];
    for (int32_t id : bucket) {
        const std::string &stored = FNames[size_t(id)];
        if (stored.size() == name.size() && SameBytes(stored.data(), name.data(), name.size()))
            return id;
    }
    return -1;
}

int TXmlNameTable::NameToId(std::string_view name, uint32_t hash)
{
    if (name.empty())
        return -1;
    TNameIndexArray &bucket = FBuckets[BucketOf(hash)];
    for (int32_t id : bucket) {
        const std::string &stored = FNames[size_t(id)];
        if (stored.size() == name.size() && SameBytes(stored.data(), name.data(), name.size()))
            return id;
    }
    const int id = int(FNames.size());
    FNames.emplace_back(name);
    bucket.push_back(id);
    return id;
}

const std::string &TXmlNameTable::IdToName(int id) const
{
    static const std::string Empty;
    if (id < 0 || size_t(id) >= FNames.size())
        return Empty;
    return FNames[size_t(id)];
}

TXmlNameTable *DefaultNameTable()
{
    static const TXmlRef<TXmlNameTable> Table(new TXmlNameTable(4096));
    return Table.get();
}
