#pragma once

#include "reflection/Filer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TCollection;
class TPersistent;
class TVariant;
struct TPropInfo;
struct TTypeInfo;

// Reads the property stream from a byte buffer. Every read checks the
// marker it expects and the bytes left: truncated or malformed data raises
// EFilerError and never reads past the buffer.
class TReader : public TFiler
{
public:
    explicit TReader(std::string data) : FData(std::move(data)) {}

    size_t Position() const { return FPos; }
    bool AtEnd() const { return FPos >= FData.size(); }
    size_t Remaining() const { return FData.size() - FPos; }

    // The marker of the next value, without taking it.
    TValueType NextValue() const;
    TValueType ReadValue();
    // Takes the next value's marker, which must be the expected one.
    void CheckValue(TValueType expected);
    // Whether the next value ends the current list.
    bool EndOfList() const { return NextValue() == vaNull; }
    void ReadListBegin() { CheckValue(vaList); }
    void ReadListEnd() { CheckValue(vaNull); }
    std::string ReadPropName();
    int64_t ReadInteger();
    // Integers are read as floating point too.
    double ReadFloat();
    std::string ReadString();
    bool ReadBoolean();
    // An enumeration element name; Booleans give "False" and "True".
    std::string ReadIdent();
    uint32_t ReadSet(const TTypeInfo *setType);
    TVariant ReadVariant();
    std::vector<std::string> ReadStrings();

    // Reads properties into the object up to the end of the current list
    // (which is left for the caller): published ones through the
    // published-property model, others through the object's own
    // definitions. An unknown name raises "Property %s does not exist".
    void ReadProperties(TPersistent *instance);
    // A collection value: the collection is cleared and refilled with one
    // new item per stored list, inside one update.
    void ReadCollection(TCollection *collection);
    // Reads properties up to the end of the current list, each through the
    // definitions of define.
    void ReadDefinedProperties(const TDefineProc &define);

    void DefineProperty(const std::string &name, const TReaderProc &read, const TWriterProc &write,
                        bool hasData) override;

    // Raises EFilerError for a value the stream should not hold here.
    [[noreturn]] void Invalid(const std::string &what) const;

private:
    void ReadProperty(TPersistent *instance);
    void ReadPropValue(TPersistent *instance, const TPropInfo &prop);
    // Runs define to read the property name; false when it defines none.
    bool ReadDefinedProperty(const std::string &name, const TDefineProc &define);
    void Need(size_t bytes) const;
    uint64_t ReadLittleEndian(int bytes);
    size_t ReadLength();
    std::string ReadRawString();

    // Opens a nesting level for the scope; too deep raises an error.
    class TNesting
    {
    public:
        explicit TNesting(TReader &reader);
        ~TNesting() { --FReader.FDepth; }
        TNesting(const TNesting &) = delete;
        TNesting &operator=(const TNesting &) = delete;

    private:
        TReader &FReader;
    };

    std::string FData;
    size_t FPos = 0;
    int FDepth = 0;
    // The extra property being looked for among an object's definitions.
    std::string FPendingName;
    bool FPendingFound = false;
};
