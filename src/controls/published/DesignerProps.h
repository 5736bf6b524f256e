#pragma once

#include "controls/published/DesignerTypes.h"
#include "reflection/Persistent.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TLXDesigned;

// Builders of property descriptions over a class T of inspectable objects:
// getters and setters receive the object as a T, which its class
// description guarantees.
namespace DesignerProps
{

using TDefault = std::optional<int64_t>;
inline constexpr TDefault NoDefault = std::nullopt;

template <class T> T &As(TPersistent *object)
{
    return dynamic_cast<T &>(*object);
}

inline TPropInfo Describe(const char *name, const TTypeInfo &type, TDefault def)
{
    TPropInfo prop;
    prop.Name = name;
    prop.PropType = &type;
    prop.HasDefault = def.has_value();
    prop.Default = def.value_or(0);
    return prop;
}

// A class description with its own published properties.
inline TClassInfo Describe(const char *name, const TClassInfo *parent, std::vector<TPropInfo> props)
{
    TClassInfo info;
    info.Name = name;
    info.Parent = parent;
    info.Properties = std::move(props);
    return info;
}

// An ordinal property (integer, character, enumeration, set); an empty
// setter makes it read-only.
template <class T>
TPropInfo Ord(const char *name, const TTypeInfo &type, std::function<int64_t(T &)> get,
              std::function<void(T &, int64_t)> set, TDefault def)
{
    TPropInfo prop = Describe(name, type, def);
    prop.Get = [get](TPersistent *o) { return TVariant(get(As<T>(o))); };
    if (set)
        prop.Set = [set](TPersistent *o, const TVariant &v) { set(As<T>(o), v.AsInt64()); };
    return prop;
}

template <class T>
TPropInfo Bool(const char *name, std::function<bool(T &)> get, std::function<void(T &, bool)> set,
               bool def)
{
    return Ord<T>(
        name, DesignerTypes().Boolean, [get](T &c) -> int64_t { return get(c) ? 1 : 0; },
        [set](T &c, int64_t v) { set(c, v != 0); }, def ? 1 : 0);
}

// A text property in the system code page.
template <class T>
TPropInfo Str(const char *name, const TTypeInfo &type, std::function<std::string(T &)> get,
              std::function<void(T &, const std::string &)> set)
{
    TPropInfo prop = Describe(name, type, NoDefault);
    prop.Get = [get](TPersistent *o) { return TVariant(get(As<T>(o))); };
    if (set)
        prop.Set = [set](TPersistent *o, const TVariant &v) { set(As<T>(o), v.AsString()); };
    return prop;
}

// An object property; none is nullptr.
template <class T>
TPropInfo Obj(const char *name, const TTypeInfo &type, std::function<TPersistent *(T &)> get,
              std::function<void(T &, TPersistent *)> set)
{
    TPropInfo prop = Describe(name, type, NoDefault);
    prop.Get = [get](TPersistent *o) { return TVariant(get(As<T>(o))); };
    if (set)
        prop.Set = [set](TPersistent *o, const TVariant &v) { set(As<T>(o), v.AsObject()); };
    return prop;
}

// Ordinal and text values without a counterpart in the widget, kept by the
// control under the property's name.
TPropInfo Kept(const char *name, const TTypeInfo &type, int64_t def);
TPropInfo KeptBool(const char *name, bool def);
TPropInfo KeptText(const char *name, const TTypeInfo &type);

// Object properties that refer to nothing the designer has (popup menus,
// actions): they read none and accept only none.
TPropInfo NoObject(const char *name, const TTypeInfo &type);

} // namespace DesignerProps

// Properties that several kinds publish alike.
namespace DesignerProps
{

// Caption or Text: the control's window text.
TPropInfo Caption(const char *name);
TPropInfo Comment();
// Color and ParentColor; the declared defaults are the kind's own colour
// and whether that colour is the parent's face colour.
std::vector<TPropInfo> ColorProps(int32_t ownColor);
// Ctl3D and ParentCtl3D.
std::vector<TPropInfo> Ctl3DProps();
// BevelEdges, BevelInner, BevelKind and BevelOuter of the edit-like kinds.
std::vector<TPropInfo> BevelProps();
// ImeMode and ImeName.
std::vector<TPropInfo> ImeProps();
TPropInfo Align();
TPropInfo TabStop(bool def);

// The property is stored only while the control does not take the value
// from its parent (the Parent... property of that name is false).
TPropInfo UnlessParent(TPropInfo prop, const char *parentProperty);

// Appends the properties to the list.
void Add(std::vector<TPropInfo> &list, std::vector<TPropInfo> props);

} // namespace DesignerProps
