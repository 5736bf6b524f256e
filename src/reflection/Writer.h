#pragma once

#include "reflection/Filer.h"

#include <cstdint>
#include <string>
#include <vector>

class TCollection;
class TPersistent;
class TVariant;
struct TPropInfo;
struct TTypeInfo;

// Writes the property stream into a byte buffer: typed values behind their
// markers, lists, collections, and whole objects (their stored published
// properties, then the extra properties they define).
class TWriter : public TFiler
{
public:
    TWriter() = default;

    // The bytes written so far.
    const std::string &Data() const { return FData; }

    void WriteValue(TValueType value);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    void WritePropName(const std::string &name);
    // The smallest integer marker that holds the value.
    void WriteInteger(int64_t value);
    void WriteFloat(double value);
    void WriteString(const std::string &value);
    void WriteBoolean(bool value);
    void WriteIdent(const std::string &value);
    // The element names of the set bits, by the set type's element names.
    void WriteSet(const TTypeInfo *setType, uint32_t mask);
    // Keeps the variant's type: 32-bit and 64-bit integers stay apart. An
    // object reference cannot be stored.
    void WriteVariant(const TVariant &value);
    // A list of strings.
    void WriteStrings(const std::vector<std::string> &lines);

    // The object's stored published properties that differ from their
    // declared defaults (sub-objects nested, collections as collection
    // values, component references left out), then its extra properties.
    void WriteProperties(TPersistent *instance);
    // A collection value: one list of properties per item.
    void WriteCollection(TCollection *collection);
    // The properties of an object that defines all its properties itself.
    void WriteDefinedProperties(const TDefineProc &define) { define(*this); }

    void DefineProperty(const std::string &name, const TReaderProc &read, const TWriterProc &write,
                        bool hasData) override;

private:
    void WriteProperty(TPersistent *instance, const TPropInfo &prop);
    void WriteObjectProperty(const std::string &name, TPersistent *object);
    void WriteRawString(const std::string &value);
    void WriteLength(uint64_t length);
    void WriteLittleEndian(uint64_t value, int bytes);

    // Opens a nesting level for the scope; too deep raises an error.
    class TNesting
    {
    public:
        explicit TNesting(TWriter &writer);
        ~TNesting() { --FWriter.FDepth; }
        TNesting(const TNesting &) = delete;
        TNesting &operator=(const TNesting &) = delete;

    private:
        TWriter &FWriter;
    };

    std::string FData;
    int FDepth = 0;
};
