#pragma once

#include "xml/XmlBase.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Ids of names in one bucket of the name table.
using TNameIndexArray = std::vector<int32_t>;

// Interns element and attribute names: a name's id is its index in order of
// first interning. Names are hashed into a fixed number of buckets.
class TXmlNameTable : public TXmlBase
{
public:
    explicit TXmlNameTable(int bucketCount);
    // A table holding exactly the given names with their indexes as ids (as
    // read from binary XML); the five names above are interned after them
    // when missing.
    TXmlNameTable(int bucketCount, std::vector<std::string> names);

    // The id of the name, interning it when new; -1 for an empty name.
    int NameToId(std::string_view name) { return NameToId(name, Hash(name)); }
    // The same with the name's hash already computed.
    int NameToId(std::string_view name, uint32_t hash);
    // The text of an id; empty for a negative or unknown id.
    const std::string &IdToName(int id) const;
    // The id of a name without interning it; -1 when not interned.
    int FindName(std::string_view name) const;

    int NameCount() const { return int(FNames.size()); }
    int BucketCount() const { return int(FBuckets.size()); }
    const TNameIndexArray &Bucket(int index) const { return FBuckets[size_t(index)]; }

    int TextId() const { return FTextId; }
    int CDataId() const { return FCDataId; }
    int CommentId() const { return FCommentId; }
    int DocumentId() const { return FDocumentId; }
    int XmlId() const { return FXmlId; }

    static uint32_t Hash(std::string_view name) noexcept;

private:
    void InternStandardNames();
    size_t BucketOf(uint32_t hash) const { return FMask ? hash & FMask : hash % FBuckets.size(); }

    std::vector<std::string> FNames;
    std::vector<TNameIndexArray> FBuckets;
    uint32_t FMask = 0; // bucket count - 1 when it is a power of two
    int FTextId;
    int FCDataId;
    int FCommentId;
    int FDocumentId;
    int FXmlId;
};

// The process-wide table that new documents share unless given another.
TXmlNameTable *DefaultNameTable();
