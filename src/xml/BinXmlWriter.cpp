#include "xml/BinXmlWriter.h"

#include "xml/XmlDocument.h"

#include <cstring>
#include <vector>

void TBinXmlWriter::Int(uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        FOut += char((value >> (8 * i)) & 0xFF);
}

void TBinXmlWriter::CompactInt(int32_t value)
{
    if (value >= 0 && value < 128) {
        FOut += char(value);
    } else if (value >= 128 && value < 127 * 256) {
        FOut += char(128 + value / 256);
        FOut += char(value % 256);
    } else {
        FOut += char(255);
        Int(uint32_t(value), 4);
    }
}

void TBinXmlWriter::String(const std::string &text)
{
    if (!(FOptions & 1)) {
        CompactInt(int32_t(text.size()));
        Bytes(text.data(), text.size());
        return;
    }
    const std::u16string wide = CodePageToWide(text);
    CompactInt(int32_t(wide.size()));
    for (char16_t u : wide)
        Int(u, 2);
}

void TBinXmlWriter::Value(const TXmlValue &value)
{
    CompactInt(value.Type());
    switch (value.Type()) {
    case TXmlValue::varEmpty:
    case TXmlValue::varNull:
        break;
    case TXmlValue::varSmallint:
    case TXmlValue::varWord:
        Int(uint64_t(value.AsInt64()), 2);
        break;
    case TXmlValue::varBoolean:
        Int(value.AsInt64() ? 0xFFFF : 0, 2);
        break;
    case TXmlValue::varInteger:
    case TXmlValue::varLongWord:
        Int(uint64_t(value.AsInt64()), 4);
        break;
    case TXmlValue::varShortInt:
    case TXmlValue::varByte:
        Int(uint64_t(value.AsInt64()), 1);
        break;
    case TXmlValue::varCurrency:
    case TXmlValue::varInt64:
        Int(uint64_t(value.AsInt64()), 8);
        break;
    case TXmlValue::varSingle: {
        const float f = float(value.AsDouble());
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        Int(bits, 4);
        break;
    }
    case TXmlValue::varDouble:
    case TXmlValue::varDate: {
        const double d = value.AsDouble();
        uint64_t bits;
        std::memcpy(&bits, &d, 8);
        Int(bits, 8);
        break;
    }
    case TXmlValue::varOleStr:
        CompactInt(int32_t(value.Bytes().size() / 2));
        Bytes(value.Bytes().data(), value.Bytes().size() / 2 * 2);
        break;
    default: // byte string, byte array
        CompactInt(int32_t(value.Bytes().size()));
        Bytes(value.Bytes().data(), value.Bytes().size());
        break;
    }
}

std::string TBinXmlWriter::Write(const TXmlDocument &document)
{
    FOut.assign(BinaryXmlSignature);
    Int(FOptions, 4);
    const TXmlNameTable *table = document.NameTablePtr();
    CompactInt(table->NameCount());
    for (int id = 0; id < table->NameCount(); ++id)
        String(table->IdToName(id));
    CompactInt(table->BucketCount());
    int used = 0;
    for (int i = 0; i < table->BucketCount(); ++i)
        used += !table->Bucket(i).empty();
    CompactInt(used);
    for (int i = 0; i < table->BucketCount(); ++i) {
        const TNameIndexArray &bucket = table->Bucket(i);
        if (bucket.empty())
            continue;
        CompactInt(i);
        CompactInt(int32_t(bucket.size()));
        for (int32_t id : bucket)
            Int(uint32_t(id), 4);
    }

    auto body = [&](const TXmlNode *node) {
        CompactInt(node->AttrCount());
        for (int i = 0; i < node->AttrCount(); ++i) {
            CompactInt(node->AttrNameId(i));
            Value(node->AttrValue(i));
        }
        const TXmlNodeList *list = node->ChildList();
        CompactInt(list ? list->Count() : 0);
    };
    struct Frame {
        const TXmlNode *Node;
        int Index;
    };
    std::vector<Frame> stack;
    body(&document);
    stack.push_back({&document, 0});
    while (!stack.empty()) {
        Frame &top = stack.back();
        const TXmlNodeList *list = top.Node->ChildList();
        if (!list || top.Index >= list->Count()) {
            stack.pop_back();
            continue;
        }
        const TXmlNode *child = list->ItemPtr(top.Index++);
        const int type = child->NodeType();
        switch (type) {
        case TXmlNode::ELEMENT_NODE:
            FOut += char(type);
            CompactInt(child->NameId());
            Value(child->ChildList() ? TXmlValue()
                                     : static_cast<const TXmlElement *>(child)->StoredValue());
            body(child);
            stack.push_back({child, 0});
            break;
        case TXmlNode::TEXT_NODE:
            FOut += char(type);
            Value(static_cast<const TXmlText *>(child)->StoredValue());
            break;
        case TXmlNode::CDATA_SECTION_NODE:
        case TXmlNode::COMMENT_NODE:
            FOut += char(type);
            String(static_cast<const TXmlCharacterData *>(child)->Data());
            break;
        case TXmlNode::PROCESSING_INSTRUCTION_NODE:
            FOut += char(type);
            CompactInt(child->NameId());
            String(static_cast<const TXmlProcessingInstruction *>(child)->Data());
            body(child);
            stack.push_back({child, 0});
            break;
        default:
            // A document nested in a tree has no binary form; an empty
            // comment keeps the child count right.
            FOut += char(TXmlNode::COMMENT_NODE);
            String({});
            break;
        }
    }
    return std::move(FOut);
}
