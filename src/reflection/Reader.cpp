#include "reflection/Reader.h"

#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"
#include "reflection/RSConsts.h"
#include "reflection/StrUtils.h"
#include "reflection/TypInfo.h"
#include "reflection/Variant.h"

#include <cstring>

namespace
{

const char *MarkerName(TValueType value)
{
    switch (value) {
    case vaNull:
        return "end of list";
    case vaList:
        return "list";
    case vaCollection:
        return "collection";
    case vaPropName:
        return "property name";
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        return "integer";
    case vaDouble:
        return "floating-point number";
    case vaString:
        return "string";
    case vaFalse:
    case vaTrue:
        return "Boolean";
    case vaIdent:
        return "identifier";
    case vaSet:
        return "set";
    case vaNil:
        return "empty value";
    }
    return "value";
}

} // namespace

TReader::TNesting::TNesting(TReader &reader) : FReader(reader)
{
    if (++FReader.FDepth > MaxDepth) {
        --FReader.FDepth;
        throw EFilerError(RSConsts::SStreamTooDeep);
    }
}

void TReader::Invalid(const std::string &what) const
{
    throw EFilerError(
        RSFormat(RSConsts::SInvalidStreamFormat, what + " at offset " + std::to_string(FPos)));
}

void TReader::Need(size_t bytes) const
{
    if (bytes > FData.size() - FPos)
        throw EFilerError(RSConsts::SStreamReadError);
}

TValueType TReader::NextValue() const
{
    Need(1);
    const auto value = static_cast<uint8_t>(FData[FPos]);
    if (value > vaLastValue)
        Invalid("unknown value marker " + std::to_string(value));
    return static_cast<TValueType>(value);
}

TValueType TReader::ReadValue()
{
    const TValueType value = NextValue();
    ++FPos;
    return value;
}

void TReader::CheckValue(TValueType expected)
{
    const TValueType value = NextValue();
    if (value != expected)
        Invalid(std::string(MarkerName(expected)) + " expected, " + MarkerName(value) + " found");
    ++FPos;
}

uint64_t TReader::ReadLittleEndian(int bytes)
{
    Need(static_cast<size_t>(bytes));
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(static_cast<uint8_t>(FData[FPos + i])) << (8 * i);
    FPos += static_cast<size_t>(bytes);
    return value;
}

size_t TReader::ReadLength()
{
    uint64_t length = 0;
    for (int shift = 0;; shift += 7) {
        if (shift > 28)
            Invalid("length too large");
        Need(1);
        const auto byte = static_cast<uint8_t>(FData[FPos++]);
        length |= static_cast<uint64_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            break;
    }
    // A length beyond the data left can only be a truncated stream.
    Need(length);
    return static_cast<size_t>(length);
}

std::string TReader::ReadRawString()
{
    const size_t length = ReadLength();
    std::string value = FData.substr(FPos, length);
    FPos += length;
    return value;
}

std::string TReader::ReadPropName()
{
    CheckValue(vaPropName);
    return ReadRawString();
}

int64_t TReader::ReadInteger()
{
    switch (NextValue()) {
    case vaInt8:
        ++FPos;
        return static_cast<int8_t>(ReadLittleEndian(1));
    case vaInt16:
        ++FPos;
        return static_cast<int16_t>(ReadLittleEndian(2));
    case vaInt32:
        ++FPos;
        return static_cast<int32_t>(ReadLittleEndian(4));
    case vaInt64:
        ++FPos;
        return static_cast<int64_t>(ReadLittleEndian(8));
    default:
        Invalid(std::string("integer expected, ") + MarkerName(NextValue()) + " found");
    }
}

double TReader::ReadFloat()
{
    if (NextValue() != vaDouble)
        return static_cast<double>(ReadInteger());
    ++FPos;
    const uint64_t bits = ReadLittleEndian(8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string TReader::ReadString()
{
    CheckValue(vaString);
    return ReadRawString();
}

bool TReader::ReadBoolean()
{
    const TValueType value = NextValue();
    if (value != vaFalse && value != vaTrue)
        Invalid(std::string("Boolean expected, ") + MarkerName(value) + " found");
    ++FPos;
    return value == vaTrue;
}

std::string TReader::ReadIdent()
{
    const TValueType value = NextValue();
    if (value == vaFalse || value == vaTrue)
        return ReadBoolean() ? "True" : "False";
    CheckValue(vaIdent);
    return ReadRawString();
}

uint32_t TReader::ReadSet(const TTypeInfo *setType)
{
    CheckValue(vaSet);
    const TTypeInfo *elements = setType->CompType ? setType->CompType : setType;
    uint32_t mask = 0;
    for (;;) {
        const std::string name = ReadRawString();
        if (name.empty())
            return mask;
        const int64_t ordinal = TypInfo::EnumValueOf(elements, name);
        if (ordinal < 0 || ordinal > 31)
            throw EFilerError(RSFormat(RSConsts::SInvalidPropertyElement, name));
        mask |= 1u << ordinal;
    }
}

TVariant TReader::ReadVariant()
{
    switch (NextValue()) {
    case vaNil:
        ++FPos;
        return {};
    case vaFalse:
    case vaTrue:
        return TVariant(ReadBoolean());
    case vaInt8:
    case vaInt16:
    case vaInt32:
        return TVariant(static_cast<int>(ReadInteger()));
    case vaInt64:
        return TVariant(ReadInteger());
    case vaDouble:
        return TVariant(ReadFloat());
    case vaString:
        return TVariant(ReadString());
    default:
        Invalid(std::string("variant expected, ") + MarkerName(NextValue()) + " found");
    }
}

std::vector<std::string> TReader::ReadStrings()
{
    ReadListBegin();
    std::vector<std::string> lines;
    while (!EndOfList())
        lines.push_back(ReadString());
    ReadListEnd();
    return lines;
}

void TReader::ReadProperties(TPersistent *instance)
{
    TNesting nesting(*this);
    instance->BeginReading();
    try {
        while (!EndOfList())
            ReadProperty(instance);
    } catch (...) {
        instance->EndReading();
        throw;
    }
    instance->EndReading();
}

void TReader::ReadProperty(TPersistent *instance)
{
    const std::string name = ReadPropName();
    const TPropInfo *prop = TypInfo::FindPublishedProperty(instance, name);
    if (prop && prop->PropType->Kind != tkMethod) {
        ReadPropValue(instance, *prop);
        return;
    }
    if (!ReadDefinedProperty(name,
                             [instance](TFiler &filer) { instance->DefineProperties(filer); }))
        throw EFilerError(RSFormat(RSConsts::SPropertyDoesNotExist, name));
}

void TReader::ReadPropValue(TPersistent *instance, const TPropInfo &prop)
{
    const TTypeInfo *type = prop.PropType;
    switch (type->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkInt64:
        TypInfo::WriteFromVariant(instance, prop.Name, TVariant(ReadInteger()));
        return;
    case tkEnumeration:
        if (NextValue() == vaIdent || NextValue() == vaFalse || NextValue() == vaTrue)
            TypInfo::WriteFromVariant(instance, prop.Name, TVariant(ReadIdent()));
        else
            TypInfo::WriteFromVariant(instance, prop.Name, TVariant(ReadInteger()));
        return;
    case tkSet:
        TypInfo::WriteFromVariant(instance, prop.Name,
                                  TVariant(static_cast<int64_t>(ReadSet(type))));
        return;
    case tkFloat:
        TypInfo::WriteFromVariant(instance, prop.Name, TVariant(ReadFloat()));
        return;
    case tkString:
    case tkLString:
    case tkWString:
        TypInfo::WriteFromVariant(instance, prop.Name, TVariant(ReadString()));
        return;
    case tkVariant:
        TypInfo::WriteFromVariant(instance, prop.Name, ReadVariant());
        return;
    case tkClass: {
        TPersistent *object = prop.Get(instance).AsObject();
        if (!object || object->IsComponent())
            Invalid("no object to read property " + prop.Name + " into");
        if (NextValue() == vaCollection) {
            auto *collection = dynamic_cast<TCollection *>(object);
            if (!collection)
                Invalid("property " + prop.Name + " is not a collection");
            ReadCollection(collection);
            return;
        }
        ReadListBegin();
        ReadProperties(object);
        ReadListEnd();
        return;
    }
    default:
        throw EFilerError(RSFormat(RSConsts::SInvalidPropertyType, type->Name));
    }
}

void TReader::ReadCollection(TCollection *collection)
{
    TNesting nesting(*this);
    CheckValue(vaCollection);
    TCollection::TUpdateScope update(collection);
    collection->Clear();
    while (!EndOfList()) {
        ReadListBegin();
        ReadProperties(collection->Add());
        ReadListEnd();
    }
    ReadListEnd();
}

void TReader::ReadDefinedProperties(const TDefineProc &define)
{
    TNesting nesting(*this);
    while (!EndOfList()) {
        const std::string name = ReadPropName();
        if (!ReadDefinedProperty(name, define))
            throw EFilerError(RSFormat(RSConsts::SPropertyDoesNotExist, name));
    }
}

bool TReader::ReadDefinedProperty(const std::string &name, const TDefineProc &define)
{
    // A definition's reader may read nested objects with definitions of
    // their own: keep the outer property's state meanwhile.
    std::string outerName = std::exchange(FPendingName, name);
    const bool outerFound = std::exchange(FPendingFound, false);
    bool found = false;
    try {
        define(*this);
        found = FPendingFound;
    } catch (...) {
        FPendingName = std::move(outerName);
        FPendingFound = outerFound;
        throw;
    }
    FPendingName = std::move(outerName);
    FPendingFound = outerFound;
    return found;
}

void TReader::DefineProperty(const std::string &name, const TReaderProc &read, const TWriterProc &,
                             bool)
{
    if (FPendingFound || !read || !StrUtils::SameText(name, FPendingName))
        return;
    FPendingFound = true;
    read(*this);
}
