#include "reflection/TypInfo.h"

#include "platform/Exception.h"
#include "reflection/Persistent.h"
#include "reflection/RSConsts.h"
#include "reflection/StrUtils.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace
{

struct Registry {
    std::unordered_map<std::type_index, const TClassInfo *> byClass;
    std::vector<const TClassInfo *> all;
    // Answers by the address of the C++ type's description, which is
    // cheaper to hash than its name; filled as objects are looked up.
    std::unordered_map<const std::type_info *, const TClassInfo *> byTypeInfo;
    // The first registered class of each name, by its name in lower case.
    std::unordered_map<std::string, const TClassInfo *> byName;
};

Registry &TheRegistry()
{
    static Registry registry;
    return registry;
}

[[noreturn]] void Fail(const char *pattern, std::string_view arg)
{
    throw ERSException(RSFormat(pattern, std::string(arg)));
}

const TPropInfo &Require(const TPersistent *object, std::string_view name)
{
    const TPropInfo *prop = TypInfo::FindPublishedProperty(object, name);
    if (!prop)
        Fail(RSConsts::SPropertyDoesNotExist, name);
    return *prop;
}

// An integer within the type's range; a type whose minimum is not below
// its maximum has an unsigned 32-bit range.
int64_t CheckRange(const TTypeInfo *type, int64_t value)
{
    if (type->MinValue < type->MaxValue) {
        if (value < type->MinValue || value > type->MaxValue)
            throw ERSException(RSConsts::SRangeError);
        return value;
    }
    const uint32_t lo = static_cast<uint32_t>(type->MinValue);
    const uint32_t hi = static_cast<uint32_t>(type->MaxValue);
    if (value < 0 || value > 0xFFFFFFFFll || static_cast<uint32_t>(value) < lo ||
        static_cast<uint32_t>(value) > hi)
        throw ERSException(RSConsts::SRangeError);
    return value;
}

// A number from a variant, truncated toward zero; plain integer texts are
// read exactly.
int64_t TruncatedInteger(const TVariant &value)
{
    if (value.IsOrdinal())
        return value.AsInt64();
    if (value.IsString()) {
        int64_t exact;
        if (StrUtils::ParseInt64(value.AsString(), exact))
            return exact;
    }
    const double d = std::trunc(value.AsDouble());
    if (!std::isfinite(d) || d >= 9.2e18 || d <= -9.2e18)
        throw ERSException(RSConsts::SRangeError);
    return static_cast<int64_t>(d);
}

// Writes through the property's writer; a property without one cannot be
// written by name.
void Write(TPersistent *object, std::string_view name, const TVariant &value)
{
    const TPropInfo &prop = Require(object, name);
    if (!prop.HasWriter())
        Fail(RSConsts::SInvalidPropertyType, prop.PropType->Name);
    prop.Set(object, value);
}

} // namespace

bool TClassInfo::InheritsFrom(const TClassInfo *other) const
{
    for (const TClassInfo *c = this; c; c = c->Parent)
        if (c == other)
            return true;
    return false;
}

namespace
{

unsigned char LowerAscii(char c)
{
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// Hash and equality of names without regard to the case of ASCII letters.
struct NameHash {
    size_t operator()(std::string_view name) const
    {
        size_t h = 14695981039346656037ull;
        for (char c : name)
            h = (h ^ LowerAscii(c)) * 1099511628211ull;
        return h;
    }
};
struct NameEqual {
    bool operator()(std::string_view a, std::string_view b) const
    {
        return StrUtils::SameText(a, b);
    }
};

} // namespace

struct TClassIndex::TTables {
    std::vector<const TPropInfo *> Sorted;
    std::unordered_map<std::string_view, const TPropInfo *, NameHash, NameEqual> ByName;
};

const TClassIndex::TTables &TClassIndex::Of(const TClassInfo &info) const
{
    if (FTables)
        return *FTables;
    auto tables = std::make_shared<TTables>();
    // From the class up: the first property of a name found there is the
    // one that counts, as the class's own one hides an inherited one.
    for (const TClassInfo *c = &info; c; c = c->Parent)
        for (const TPropInfo &prop : c->Properties)
            tables->ByName.emplace(prop.Name, &prop);
    std::vector<const TClassInfo *> chain;
    for (const TClassInfo *c = &info; c; c = c->Parent)
        chain.push_back(c);
    std::vector<const TPropInfo *> &result = tables->Sorted;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        for (const TPropInfo &prop : (*it)->Properties) {
            auto same = std::find_if(result.begin(), result.end(), [&](const TPropInfo *p) {
                return StrUtils::SameText(p->Name, prop.Name);
            });
            if (same != result.end())
                *same = &prop;
            else
                result.push_back(&prop);
        }
    }
    std::stable_sort(result.begin(), result.end(), [](const TPropInfo *a, const TPropInfo *b) {
        return StrUtils::CompareText(a->Name, b->Name) < 0;
    });
    FTables = std::move(tables);
    return *FTables;
}

const std::vector<const TPropInfo *> &TClassInfo::AllProperties() const
{
    return Index.Of(*this).Sorted;
}

const TPropInfo *TClassInfo::Find(std::string_view name) const
{
    const auto &byName = Index.Of(*this).ByName;
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

namespace TypInfo
{

void RegisterClass(std::type_index cls, const TClassInfo *info)
{
    Registry &r = TheRegistry();
    r.byClass[cls] = info;
    r.byTypeInfo.clear();
    if (std::find(r.all.begin(), r.all.end(), info) == r.all.end()) {
        r.all.push_back(info);
        r.byName.emplace(StrUtils::LowerAscii(info->Name), info);
    }
}

const TClassInfo *ClassInfoOf(const TPersistent *object)
{
    if (!object)
        return nullptr;
    Registry &r = TheRegistry();
    const std::type_info &type = typeid(*object);
    if (const auto known = r.byTypeInfo.find(&type); known != r.byTypeInfo.end())
        return known->second;
    const auto it = r.byClass.find(type);
    const TClassInfo *info = it == r.byClass.end() ? nullptr : it->second;
    r.byTypeInfo.emplace(&type, info);
    return info;
}

const TClassInfo *ClassInfoOfType(std::type_index cls)
{
    const Registry &r = TheRegistry();
    auto it = r.byClass.find(cls);
    return it == r.byClass.end() ? nullptr : it->second;
}

const TClassInfo *FindRegisteredClass(std::string_view name)
{
    const Registry &r = TheRegistry();
    auto it = r.byName.find(StrUtils::LowerAscii(name));
    return it == r.byName.end() ? nullptr : it->second;
}

const TClassInfo *RequireRegisteredClass(std::string_view name)
{
    if (const TClassInfo *info = FindRegisteredClass(name))
        return info;
    throw EProgramFault("The class " + std::string(name) +
                        " is used before the program registered its classes");
}

std::vector<std::string> ClassAncestry(const TClassInfo *info)
{
    std::vector<std::string> names;
    for (const TClassInfo *c = info; c; c = c->Parent)
        names.push_back(c->Name);
    return names;
}

std::vector<const TPropInfo *> ListPublishedProperties(const TClassInfo *info, TTypeKinds kinds)
{
    std::vector<const TPropInfo *> result;
    if (!info)
        return result;
    for (const TPropInfo *prop : info->AllProperties())
        if (kinds & KindBit(prop->PropType->Kind))
            result.push_back(prop);
    return result;
}

const TPropInfo *FindPublishedProperty(const TPersistent *object, std::string_view name)
{
    const TClassInfo *info = ClassInfoOf(object);
    return info ? info->Find(name) : nullptr;
}

bool IsPublishedProperty(const TPersistent *object, std::string_view name)
{
    return FindPublishedProperty(object, name) != nullptr;
}

TTypeKind PropertyKind(const TPersistent *object, std::string_view name)
{
    return Require(object, name).PropType->Kind;
}

bool IsPropertyStored(TPersistent *object, std::string_view name)
{
    const TPropInfo &prop = Require(object, name);
    return !prop.Stored || prop.Stored(object);
}

int64_t GetOrdProp(TPersistent *object, std::string_view name)
{
    return Require(object, name).Get(object).AsInt64();
}

void SetOrdProp(TPersistent *object, std::string_view name, int64_t value)
{
    Write(object, name, TVariant(value));
}

std::string GetEnumProp(TPersistent *object, std::string_view name)
{
    const TPropInfo &prop = Require(object, name);
    return EnumNameOf(prop.PropType, prop.Get(object).AsInt64());
}

void SetEnumProp(TPersistent *object, std::string_view name, std::string_view value)
{
    const TPropInfo &prop = Require(object, name);
    const int64_t ordinal = EnumValueOf(prop.PropType, value);
    if (ordinal < 0)
        Fail(RSConsts::SInvalidPropertyElement, value);
    SetOrdProp(object, name, ordinal);
}

std::string GetSetProp(TPersistent *object, std::string_view name, bool brackets)
{
    const TPropInfo &prop = Require(object, name);
    return SetTextOf(prop.PropType, static_cast<uint32_t>(prop.Get(object).AsInt64()), brackets);
}

void SetSetProp(TPersistent *object, std::string_view name, std::string_view value)
{
    const TPropInfo &prop = Require(object, name);
    SetOrdProp(object, name, SetFromText(prop.PropType, value));
}

TPersistent *GetObjectProp(TPersistent *object, std::string_view name)
{
    return Require(object, name).Get(object).AsObject();
}

void SetObjectProp(TPersistent *object, std::string_view name, TPersistent *value)
{
    Write(object, name, TVariant(value));
}

const TClassInfo *GetObjectPropClass(TPersistent *object, std::string_view name)
{
    return Require(object, name).PropType->ClassType;
}

std::string GetStrProp(TPersistent *object, std::string_view name)
{
    return Require(object, name).Get(object).AsString();
}

void SetStrProp(TPersistent *object, std::string_view name, const std::string &value)
{
    Write(object, name, TVariant(value));
}

double GetFloatProp(TPersistent *object, std::string_view name)
{
    return Require(object, name).Get(object).AsDouble();
}

void SetFloatProp(TPersistent *object, std::string_view name, double value)
{
    Write(object, name, TVariant(value));
}

int64_t GetInt64Prop(TPersistent *object, std::string_view name)
{
    return Require(object, name).Get(object).AsInt64();
}

void SetInt64Prop(TPersistent *object, std::string_view name, int64_t value)
{
    SetOrdProp(object, name, value);
}

TVariant GetVariantProp(TPersistent *object, std::string_view name)
{
    return Require(object, name).Get(object);
}

void SetVariantProp(TPersistent *object, std::string_view name, const TVariant &value)
{
    Write(object, name, value);
}

TVariant ReadAsVariant(TPersistent *object, std::string_view name, bool preferStrings)
{
    return ReadAsVariant(object, Require(object, name), preferStrings);
}

TVariant ReadAsVariant(TPersistent *object, const TPropInfo &prop, bool preferStrings)
{
    return ReadAsVariant(prop, prop.Get(object), preferStrings);
}

TVariant ReadAsVariant(const TPropInfo &prop, const TVariant &value, bool preferStrings)
{
    const TTypeInfo *type = prop.PropType;
    switch (type->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkClass: {
        const int64_t ordinal = value.AsInt64();
        if (ordinal >= INT32_MIN && ordinal <= INT32_MAX)
            return TVariant(static_cast<int>(ordinal));
        return TVariant(ordinal);
    }
    case tkEnumeration:
        if (preferStrings)
            return TVariant(EnumNameOf(type, value.AsInt64()));
        if (type->Base()->Name == "Boolean")
            return TVariant(value.AsInt64() != 0);
        return TVariant(static_cast<int>(value.AsInt64()));
    case tkFloat:
        return TVariant(value.AsDouble());
    case tkString:
    case tkLString:
    case tkWString:
        return TVariant(value.AsString());
    case tkSet:
        if (preferStrings)
            return TVariant(SetTextOf(type, static_cast<uint32_t>(value.AsInt64()), false));
        return TVariant(static_cast<int>(static_cast<uint32_t>(value.AsInt64())));
    case tkMethod:
        return TVariant(type->Name);
    case tkVariant:
        return value;
    case tkInt64:
        return TVariant(value.AsInt64());
    default:
        Fail(RSConsts::SInvalidPropertyType, type->Name);
    }
}

void WriteFromVariant(TPersistent *object, std::string_view name, const TVariant &value)
{
    WriteFromVariant(object, Require(object, name), value);
}

void WriteFromVariant(TPersistent *object, const TPropInfo &prop, const TVariant &value)
{
    const TTypeInfo *type = prop.PropType;
    if (!prop.HasWriter())
        Fail(RSConsts::SInvalidPropertyType, type->Name);
    switch (type->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
        prop.Set(object, TVariant(CheckRange(type, TruncatedInteger(value))));
        return;
    case tkEnumeration:
        if (value.IsString()) {
            const int64_t ordinal = EnumValueOf(type, value.AsString());
            if (ordinal < 0)
                Fail(RSConsts::SInvalidPropertyElement, value.AsString());
            prop.Set(object, TVariant(ordinal));
        } else if (value.IsBoolean()) {
            prop.Set(object, TVariant(static_cast<int64_t>(value.AsBoolean() ? 1 : 0)));
        } else {
            prop.Set(object, TVariant(CheckRange(type, TruncatedInteger(value))));
        }
        return;
    case tkSet:
        if (value.VarType() == TVariant::varInteger || value.VarType() == TVariant::varInt64)
            prop.Set(object,
                     TVariant(static_cast<int64_t>(static_cast<uint32_t>(value.AsInt64()))));
        else
            prop.Set(object, TVariant(static_cast<int64_t>(SetFromText(type, value.AsString()))));
        return;
    case tkFloat:
        prop.Set(object, TVariant(value.AsDouble()));
        return;
    case tkString:
    case tkLString:
    case tkWString:
        prop.Set(object, TVariant(value.AsString()));
        return;
    case tkVariant:
        prop.Set(object, value);
        return;
    case tkInt64:
        prop.Set(object, TVariant(TruncatedInteger(value)));
        return;
    default:
        Fail(RSConsts::SInvalidPropertyType, type->Name);
    }
}

std::string EnumNameOf(const TTypeInfo *type, int64_t ordinal)
{
    const TTypeInfo *base = type->Base();
    if (type->Kind == tkEnumeration && ordinal >= 0 &&
        ordinal < static_cast<int64_t>(base->Names.size()))
        return base->Names[static_cast<size_t>(ordinal)];
    return std::to_string(ordinal);
}

int64_t EnumValueOf(const TTypeInfo *type, std::string_view text)
{
    int64_t number;
    if (type->Kind == tkInteger)
        return StrUtils::ParseInt64(text, number) ? number : -1;
    if (type->MinValue < 0) {
        if (StrUtils::SameText(text, "False"))
            return 0;
        if (StrUtils::SameText(text, "True"))
            return -1;
        return StrUtils::ParseInt64(text, number) ? number : -1;
    }
    const TTypeInfo *base = type->Base();
    for (int64_t i = type->MinValue; i <= type->MaxValue && i < int64_t(base->Names.size()); ++i)
        if (StrUtils::SameText(base->Names[static_cast<size_t>(i)], text))
            return i;
    return -1;
}

std::string SetTextOf(const TTypeInfo *setType, uint32_t mask, bool brackets)
{
    const TTypeInfo *elements = setType->CompType ? setType->CompType : setType;
    std::string text;
    for (int bit = 0; bit < 32; ++bit) {
        if (!(mask & (1u << bit)))
            continue;
        if (!text.empty())
            text += ',';
        text += EnumNameOf(elements, bit);
    }
    return brackets ? "[" + text + "]" : text;
}

uint32_t SetFromText(const TTypeInfo *setType, std::string_view text)
{
    const TTypeInfo *elements = setType->CompType ? setType->CompType : setType;
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '['))
        ++i;
    uint32_t mask = 0;
    while (i < text.size()) {
        const size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != ',' && text[i] != ']')
            ++i;
        const std::string_view word = text.substr(start, i - start);
        while (i < text.size() && (text[i] == ' ' || text[i] == ',' || text[i] == ']'))
            ++i;
        if (word.empty())
            continue;
        const int64_t ordinal = EnumValueOf(elements, word);
        if (ordinal < 0)
            Fail(RSConsts::SInvalidPropertyElement, word);
        if (ordinal <= 31)
            mask |= 1u << ordinal;
    }
    return mask;
}

} // namespace TypInfo
