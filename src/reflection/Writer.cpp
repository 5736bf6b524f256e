#include "reflection/Writer.h"

#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"
#include "reflection/RSConsts.h"
#include "reflection/TypInfo.h"
#include "reflection/Variant.h"

#include <cstring>

TWriter::TNesting::TNesting(TWriter &writer) : FWriter(writer)
{
    if (++FWriter.FDepth > MaxDepth) {
        --FWriter.FDepth;
        throw EFilerError(RSConsts::SStreamTooDeep);
    }
}

void TWriter::WriteValue(TValueType value)
{
    FData.push_back(static_cast<char>(value));
}

void TWriter::WriteLittleEndian(uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        FData.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Seven bits per byte, low bits first; a set high bit means more follow.
void TWriter::WriteLength(uint64_t length)
{
    while (length >= 0x80) {
        FData.push_back(static_cast<char>((length & 0x7F) | 0x80));
        length >>= 7;
    }
    FData.push_back(static_cast<char>(length));
}

void TWriter::WriteRawString(const std::string &value)
{
    WriteLength(value.size());
    FData += value;
}

void TWriter::WritePropName(const std::string &name)
{
    WriteValue(vaPropName);
    WriteRawString(name);
}

void TWriter::WriteInteger(int64_t value)
{
    if (value >= INT8_MIN && value <= INT8_MAX) {
        WriteValue(vaInt8);
        WriteLittleEndian(static_cast<uint64_t>(value), 1);
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        WriteValue(vaInt16);
        WriteLittleEndian(static_cast<uint64_t>(value), 2);
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        WriteValue(vaInt32);
        WriteLittleEndian(static_cast<uint64_t>(value), 4);
    } else {
        WriteValue(vaInt64);
        WriteLittleEndian(static_cast<uint64_t>(value), 8);
    }
}

void TWriter::WriteFloat(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteValue(vaDouble);
    WriteLittleEndian(bits, 8);
}

void TWriter::WriteString(const std::string &value)
{
    WriteValue(vaString);
    WriteRawString(value);
}

void TWriter::WriteBoolean(bool value)
{
    WriteValue(value ? vaTrue : vaFalse);
}

void TWriter::WriteIdent(const std::string &value)
{
    WriteValue(vaIdent);
    WriteRawString(value);
}

void TWriter::WriteSet(const TTypeInfo *setType, uint32_t mask)
{
    const TTypeInfo *elements = setType->CompType ? setType->CompType : setType;
    WriteValue(vaSet);
    for (int bit = 0; bit < 32; ++bit)
        if (mask & (1u << bit))
            WriteRawString(TypInfo::EnumNameOf(elements, bit));
    WriteRawString({});
}

void TWriter::WriteVariant(const TVariant &value)
{
    switch (value.VarType()) {
    case TVariant::varEmpty:
        WriteValue(vaNil);
        return;
    case TVariant::varBoolean:
        WriteBoolean(value.AsBoolean());
        return;
    case TVariant::varInteger:
        WriteInteger(value.AsInt64());
        return;
    case TVariant::varInt64:
        WriteValue(vaInt64);
        WriteLittleEndian(static_cast<uint64_t>(value.AsInt64()), 8);
        return;
    case TVariant::varDouble:
        WriteFloat(value.AsDouble());
        return;
    case TVariant::varString:
        WriteString(value.AsString());
        return;
    case TVariant::varObject:
        break;
    }
    throw EFilerError(RSFormat(RSConsts::SCannotStreamValue, TVariant::TypeName(value.VarType())));
}

void TWriter::WriteStrings(const std::vector<std::string> &lines)
{
    WriteListBegin();
    for (const std::string &line : lines)
        WriteString(line);
    WriteListEnd();
}

void TWriter::WriteProperties(TPersistent *instance)
{
    TNesting nesting(*this);
    for (const TPropInfo *prop :
         TypInfo::ListPublishedProperties(TypInfo::ClassInfoOf(instance), tkProperties))
        if (TypInfo::IsPropertyStored(instance, prop->Name))
            WriteProperty(instance, *prop);
    instance->DefineProperties(*this);
}

void TWriter::WriteProperty(TPersistent *instance, const TPropInfo &prop)
{
    const TTypeInfo *type = prop.PropType;
    // Only an object property is written without a writer: its object is
    // read back into the one the owner already holds.
    if (!prop.HasWriter() && type->Kind != tkClass)
        return;
    const TVariant value = prop.Get(instance);
    switch (type->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkInt64:
    case tkEnumeration:
    case tkSet: {
        const int64_t ordinal = value.AsInt64();
        if (prop.HasDefault && ordinal == prop.Default)
            return;
        WritePropName(prop.Name);
        if (type->Kind == tkSet)
            WriteSet(type, static_cast<uint32_t>(ordinal));
        else if (type->Kind == tkEnumeration && type->Base()->Name == "Boolean")
            WriteBoolean(ordinal != 0);
        else if (type->Kind == tkEnumeration)
            WriteIdent(TypInfo::EnumNameOf(type, ordinal));
        else
            WriteInteger(ordinal);
        return;
    }
    case tkFloat:
        if (prop.HasDefault && value.AsDouble() == static_cast<double>(prop.Default))
            return;
        WritePropName(prop.Name);
        WriteFloat(value.AsDouble());
        return;
    case tkString:
    case tkLString:
    case tkWString:
        if (value.AsString().empty())
            return;
        WritePropName(prop.Name);
        WriteString(value.AsString());
        return;
    case tkVariant:
        if (value.IsEmpty())
            return;
        WritePropName(prop.Name);
        WriteVariant(value);
        return;
    case tkClass:
        WriteObjectProperty(prop.Name, value.AsObject());
        return;
    default:
        return;
    }
}

void TWriter::WriteObjectProperty(const std::string &name, TPersistent *object)
{
    // A component is a reference to something stored elsewhere.
    if (!object || object->IsComponent())
        return;
    const size_t start = FData.size();
    WritePropName(name);
    if (auto *collection = dynamic_cast<TCollection *>(object)) {
        WriteCollection(collection);
        return;
    }
    WriteListBegin();
    const size_t body = FData.size();
    WriteProperties(object);
    // A sub-object with nothing of its own to store is left out.
    if (FData.size() == body)
        FData.resize(start);
    else
        WriteListEnd();
}

void TWriter::WriteCollection(TCollection *collection)
{
    TNesting nesting(*this);
    WriteValue(vaCollection);
    for (int i = 0; i < collection->Count(); ++i) {
        WriteListBegin();
        WriteProperties(collection->Items(i));
        WriteListEnd();
    }
    WriteListEnd();
}

void TWriter::DefineProperty(const std::string &name, const TReaderProc &, const TWriterProc &write,
                             bool hasData)
{
    if (!hasData || !write)
        return;
    WritePropName(name);
    write(*this);
}
