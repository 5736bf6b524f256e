#pragma once

#include "reflection/Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

class TPersistent;
struct TClassInfo;

// The published-property model: descriptions of the types, properties and
// classes of every inspectable class, and the operations that list, read
// and write published properties by name with their text conversions.

enum TTypeKind : uint8_t {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
    tkArray,
    tkRecord,
    tkInterface,
    tkInt64,
    tkDynArray,
};

// Bit n stands for the kind of ordinal n.
using TTypeKinds = uint32_t;
constexpr TTypeKinds KindBit(TTypeKind kind)
{
    return 1u << kind;
}
constexpr TTypeKinds tkAny = 0x3FFFFu;
constexpr TTypeKinds tkProperties = tkAny & ~KindBit(tkMethod);

struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    std::string Name;
    // Ordinal kinds: the range (a set's range is that of its element type).
    int64_t MinValue = 0;
    int64_t MaxValue = 0;
    // Enumerations: element names in ordinal order and the base type (the
    // type itself unless it is a subrange of another enumeration).
    std::vector<std::string> Names;
    const TTypeInfo *BaseType = nullptr;
    // Sets: the element enumeration.
    const TTypeInfo *CompType = nullptr;
    // Class kind: the declared class.
    const TClassInfo *ClassType = nullptr;

    const TTypeInfo *Base() const { return BaseType ? BaseType : this; }
};

// A value read from or written to a property through its reader or writer.
using TPropGetter = std::function<TVariant(TPersistent *)>;
using TPropSetter = std::function<void(TPersistent *, const TVariant &)>;

struct TPropInfo {
    std::string Name;
    const TTypeInfo *PropType = nullptr;
    TPropGetter Get;
    TPropSetter Set;                           // empty: no writer
    std::function<bool(TPersistent *)> Stored; // empty: always stored
    bool HasDefault = false;
    int64_t Default = 0;

    bool HasWriter() const { return static_cast<bool>(Set); }
};

// Lookup tables of a class description, built on first use: the sorted
// list of all its properties and an index by name without regard to case.
// A copy starts without them, since they point into the description they
// were built from.
class TClassIndex
{
public:
    struct TTables;
    TClassIndex() = default;
    TClassIndex(const TClassIndex &) {}
    TClassIndex &operator=(const TClassIndex &)
    {
        FTables.reset();
        return *this;
    }
    const TTables &Of(const TClassInfo &info) const;

private:
    mutable std::shared_ptr<const TTables> FTables;
};

struct TClassInfo {
    std::string Name;
    const TClassInfo *Parent = nullptr;
    // Own published properties; an own property hides an inherited one of
    // the same name. Fixed once the description is first used.
    std::vector<TPropInfo> Properties;
    // Makes an instance for an owner (a collection for collection items);
    // empty for classes that cannot be made by name.
    std::function<TPersistent *(TPersistent *owner)> Construct;
    TClassIndex Index{};

    bool InheritsFrom(const TClassInfo *other) const;
    // Own and inherited published properties, sorted by name.
    const std::vector<const TPropInfo *> &AllProperties() const;
    const TPropInfo *Find(std::string_view name) const;
};

namespace TypInfo
{

// The class registry: descriptions by C++ class and by name.
void RegisterClass(std::type_index cls, const TClassInfo *info);
const TClassInfo *ClassInfoOf(const TPersistent *object);
const TClassInfo *ClassInfoOfType(std::type_index cls);
const TClassInfo *FindRegisteredClass(std::string_view name);
// The description of a class that start-up must have registered by now;
// its absence is a program fault, not something to register on the spot.
const TClassInfo *RequireRegisteredClass(std::string_view name);
// The class name and its ancestors' names, from the class to the root.
std::vector<std::string> ClassAncestry(const TClassInfo *info);

std::vector<const TPropInfo *> ListPublishedProperties(const TClassInfo *info, TTypeKinds kinds);
const TPropInfo *FindPublishedProperty(const TPersistent *object, std::string_view name);
bool IsPublishedProperty(const TPersistent *object, std::string_view name);
TTypeKind PropertyKind(const TPersistent *object, std::string_view name);
bool IsPropertyStored(TPersistent *object, std::string_view name);

// Typed readers and writers by name; a missing property raises
// "Property %s does not exist".
int64_t GetOrdProp(TPersistent *object, std::string_view name);
void SetOrdProp(TPersistent *object, std::string_view name, int64_t value);
std::string GetEnumProp(TPersistent *object, std::string_view name);
void SetEnumProp(TPersistent *object, std::string_view name, std::string_view value);
std::string GetSetProp(TPersistent *object, std::string_view name, bool brackets);
void SetSetProp(TPersistent *object, std::string_view name, std::string_view value);
TPersistent *GetObjectProp(TPersistent *object, std::string_view name);
void SetObjectProp(TPersistent *object, std::string_view name, TPersistent *value);
const TClassInfo *GetObjectPropClass(TPersistent *object, std::string_view name);
std::string GetStrProp(TPersistent *object, std::string_view name);
void SetStrProp(TPersistent *object, std::string_view name, const std::string &value);
double GetFloatProp(TPersistent *object, std::string_view name);
void SetFloatProp(TPersistent *object, std::string_view name, double value);
int64_t GetInt64Prop(TPersistent *object, std::string_view name);
void SetInt64Prop(TPersistent *object, std::string_view name, int64_t value);
TVariant GetVariantProp(TPersistent *object, std::string_view name);
void SetVariantProp(TPersistent *object, std::string_view name, const TVariant &value);

TVariant ReadAsVariant(TPersistent *object, std::string_view name, bool preferStrings);
void WriteFromVariant(TPersistent *object, std::string_view name, const TVariant &value);
// The same through a property description already found on the object.
TVariant ReadAsVariant(TPersistent *object, const TPropInfo &prop, bool preferStrings);
// The same for a value already read through the property's reader.
TVariant ReadAsVariant(const TPropInfo &prop, const TVariant &value, bool preferStrings);
void WriteFromVariant(TPersistent *object, const TPropInfo &prop, const TVariant &value);

std::string EnumNameOf(const TTypeInfo *type, int64_t ordinal);
int64_t EnumValueOf(const TTypeInfo *type, std::string_view text);
std::string SetTextOf(const TTypeInfo *setType, uint32_t mask, bool brackets);
uint32_t SetFromText(const TTypeInfo *setType, std::string_view text);

} // namespace TypInfo
