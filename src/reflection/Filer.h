#pragma once

#include "platform/Exception.h"

#include <cstdint>
#include <functional>
#include <string>

class TReader;
class TWriter;

// The marker that starts every value of the property stream.
enum TValueType : uint8_t {
    vaNull,       // end of a list
    vaList,       // list begin
    vaCollection, // collection: one list per item, then an end of list
    vaPropName,   // property name
    vaInt8,
    vaInt16,
    vaInt32,
    vaInt64,
    vaDouble,
    vaString,
    vaFalse,
    vaTrue,
    vaIdent, // enumeration element name
    vaSet,   // set element names, ended by an empty name
    vaNil,   // empty value
    vaLastValue = vaNil,
};

// A property stream that cannot be read or a value that cannot be written.
class EFilerError : public Exception
{
public:
    using Exception::Exception;
};

// Common base of the property stream's writer and reader. Objects store
// properties beyond their published ones by defining them on the filer
// together with the code that reads and writes each.
class TFiler
{
public:
    using TReaderProc = std::function<void(TReader &)>;
    using TWriterProc = std::function<void(TWriter &)>;
    // Runs the extra properties of an object on a filer.
    using TDefineProc = std::function<void(TFiler &)>;

    virtual ~TFiler() = default;
    TFiler(const TFiler &) = delete;
    TFiler &operator=(const TFiler &) = delete;

    // A writer writes the property (its name, then what write produces)
    // when hasData; a reader runs read when the property being read has
    // this name.
    virtual void DefineProperty(const std::string &name, const TReaderProc &read,
                                const TWriterProc &write, bool hasData) = 0;

protected:
    TFiler() = default;

    // Deepest nesting of lists: stops runaway recursion on cyclic objects
    // and on streams crafted to nest without end.
    static constexpr int MaxDepth = 200;
};
