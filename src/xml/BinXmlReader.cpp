#include "xml/BinXmlReader.h"

#include "platform/Exception.h"
#include "xml/XmlDocument.h"

#include <cstring>
#include <vector>

namespace
{
// More buckets than this only cost memory: the names are rehashed anyway.
constexpr int MaxBuckets = 65536;
} // namespace

void TBinXmlReader::DataError()
{
    throw Exception("Error reading data.");
}

uint8_t TBinXmlReader::ReadByte()
{
    uint8_t b;
    ReadBytes(&b, 1);
    return b;
}

int32_t TBinXmlReader::ReadInt32()
{
    unsigned char b[4];
    ReadBytes(b, 4);
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                   uint32_t(b[3]) << 24);
}

int32_t TBinXmlReader::CompactInt()
{
    const uint8_t first = ReadByte();
    if (first < 128)
        return first;
    if (first == 255)
        return ReadInt32();
    return int32_t(first - 128) * 256 + ReadByte();
}

int32_t TBinXmlReader::ReadCount(int itemSize)
{
    const int32_t count = CompactInt();
    if (count < 0 || int64_t(count) * itemSize > Remaining())
        DataError();
    return count;
}

std::string TBinXmlReader::ReadRawString(int32_t length)
{
    std::string s(size_t(length), '\0');
    if (length)
        ReadBytes(s.data(), size_t(length));
    return s;
}

std::string TBinXmlReader::ReadString()
{
    if (!(Options & 1))
        return ReadRawString(ReadCount(1));
    const int32_t units = ReadCount(2);
    const std::string bytes = ReadRawString(units * 2);
    std::u16string wide(size_t(units), u'\0');
    for (int32_t i = 0; i < units; ++i)
        wide[size_t(i)] =
            char16_t(uint8_t(bytes[size_t(2 * i)]) | uint8_t(bytes[size_t(2 * i + 1)]) << 8);
    return WideToCodePage(wide);
}

int32_t TBinXmlReader::ReadNameId(int nameCount)
{
    const int32_t id = CompactInt();
    if (id < -1 || id >= nameCount)
        DataError();
    return id;
}

TXmlValue TBinXmlReader::ReadValue()
{
    const int32_t type = CompactInt();
    unsigned char b[8] = {};
    auto read = [&](size_t n) {
        ReadBytes(b, n);
        uint64_t v = 0;
        for (size_t i = 0; i < n; ++i)
            v |= uint64_t(b[i]) << (8 * i);
        return v;
    };
    switch (type) {
    case TXmlValue::varEmpty:
        return {};
    case TXmlValue::varNull:
        return TXmlValue::Null();
    case TXmlValue::varSmallint:
        return TXmlValue::Integer(TXmlValue::varSmallint, int16_t(read(2)));
    case TXmlValue::varInteger:
        return TXmlValue::Integer(TXmlValue::varInteger, int32_t(read(4)));
    case TXmlValue::varSingle: {
        const uint32_t bits = uint32_t(read(4));
        float f;
        std::memcpy(&f, &bits, 4);
        return TXmlValue::Single(f);
    }
    case TXmlValue::varDouble:
    case TXmlValue::varDate: {
        const uint64_t bits = read(8);
        double d;
        std::memcpy(&d, &bits, 8);
        return type == TXmlValue::varDate ? TXmlValue::Date(d) : TXmlValue(d);
    }
    case TXmlValue::varCurrency:
        return TXmlValue::Currency(int64_t(read(8)));
    case TXmlValue::varOleStr: {
        const int32_t units = ReadCount(2);
        const std::string bytes = ReadRawString(units * 2);
        std::u16string wide(size_t(units), u'\0');
        for (int32_t i = 0; i < units; ++i)
            wide[size_t(i)] =
                char16_t(uint8_t(bytes[size_t(2 * i)]) | uint8_t(bytes[size_t(2 * i + 1)]) << 8);
        return TXmlValue::WideString(wide);
    }
    case TXmlValue::varBoolean:
        return TXmlValue(read(2) != 0);
    case TXmlValue::varShortInt:
        return TXmlValue::Integer(TXmlValue::varShortInt, int8_t(read(1)));
    case TXmlValue::varByte:
        return TXmlValue::Integer(TXmlValue::varByte, uint8_t(read(1)));
    case TXmlValue::varWord:
        return TXmlValue::Integer(TXmlValue::varWord, uint16_t(read(2)));
    case TXmlValue::varLongWord:
        return TXmlValue::Integer(TXmlValue::varLongWord, uint32_t(read(4)));
    case TXmlValue::varInt64:
        return TXmlValue::Integer(TXmlValue::varInt64, int64_t(read(8)));
    case TXmlValue::varString:
        return TXmlValue(ReadRawString(ReadCount(1)));
    case TXmlValue::varByteArray:
        return TXmlValue::ByteArray(ReadRawString(ReadCount(1)));
    default:
        throw Exception("Error reading value: incorrect type.");
    }
}

void TBinXmlReader::ReadDocument(TXmlDocument &document)
{
    Options = uint32_t(ReadInt32());

    const int32_t nameCount = ReadCount(1);
    std::vector<std::string> names;
    names.reserve(size_t(nameCount));
    for (int32_t i = 0; i < nameCount; ++i)
        names.push_back(ReadString());
    const int32_t bucketCount = CompactInt();
    if (bucketCount < 1)
        DataError();
    // The buckets are checked; the table is rebuilt by hashing the names,
    // which gives the same buckets for any data the writer produced.
    const int32_t usedBuckets = ReadCount(2);
    for (int32_t i = 0; i < usedBuckets; ++i) {
        const int32_t bucket = CompactInt();
        if (bucket < 0 || bucket >= bucketCount)
            DataError();
        const int32_t ids = ReadCount(4);
        for (int32_t j = 0; j < ids; ++j) {
            const int32_t id = ReadInt32();
            if (id < 0 || id >= nameCount)
                DataError();
        }
    }
    TXmlRef<TXmlNameTable> table(
        new TXmlNameTable(bucketCount < MaxBuckets ? bucketCount : MaxBuckets, std::move(names)));
    document.SetNameTable(table.get());

    // Repeated attribute names on one node replace the earlier value, as
    // in text; stamps find repeats without searching.
    std::vector<uint32_t> stamps(size_t(nameCount), 0);
    uint32_t serial = 0;
    auto readAttributes = [&](TXmlNode *node) {
        ++serial;
        const int32_t count = ReadCount(2);
        for (int32_t i = 0; i < count; ++i) {
            const int32_t id = ReadNameId(nameCount);
            TXmlValue value = ReadValue();
            if (id >= 0 && stamps[size_t(id)] == serial) {
                node->WriteVarAttr(id, std::move(value));
            } else {
                if (id >= 0)
                    stamps[size_t(id)] = serial;
                node->AppendAttr(id, std::move(value));
            }
        }
    };

    struct Frame {
        TXmlNode *Node;
        int32_t ChildrenLeft;
    };
    std::vector<Frame> stack;
    readAttributes(&document);
    stack.push_back({&document, ReadCount(1)});
    while (!stack.empty()) {
        if (stack.back().ChildrenLeft == 0) {
            stack.pop_back();
            continue;
        }
        --stack.back().ChildrenLeft;
        TXmlNode *parent = stack.back().Node;
        switch (ReadByte()) {
        case TXmlNode::ELEMENT_NODE: {
            const int32_t id = ReadNameId(nameCount);
            TXmlValue value = ReadValue();
            TXmlElement *element = new TXmlElement(table.get(), id);
            parent->AppendOwnChild(element);
            element->SetValue(value);
            readAttributes(element);
            stack.push_back({element, ReadCount(1)});
            break;
        }
        case TXmlNode::TEXT_NODE:
            parent->AppendOwnChild(new TXmlText(table.get(), ReadValue()));
            break;
        case TXmlNode::CDATA_SECTION_NODE:
            parent->AppendOwnChild(new TXmlCDATASection(table.get(), ReadString()));
            break;
        case TXmlNode::PROCESSING_INSTRUCTION_NODE: {
            const int32_t id = ReadNameId(nameCount);
            TXmlNode *instruction = new TXmlProcessingInstruction(table.get(), id, ReadString());
            parent->AppendOwnChild(instruction);
            readAttributes(instruction);
            stack.push_back({instruction, ReadCount(1)});
            break;
        }
        case TXmlNode::COMMENT_NODE:
            parent->AppendOwnChild(new TXmlComment(table.get(), ReadString()));
            break;
        default:
            throw Exception("Error reading binary XML: incorrect node type.");
        }
    }
}
