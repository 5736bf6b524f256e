#include "controls/published/DesignerProps.h"

#include "controls/Colors.h"
#include "controls/LXDesigned.h"
#include "controls/Strings.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QWidget>
#include <type_traits>

namespace DesignerProps
{

TPropInfo Kept(const char *name, const TTypeInfo &type, int64_t def)
{
    const std::string key = name;
    return Ord<TLXDesigned>(
        name, type, [key, def](TLXDesigned &c) { return c.StoredValue(key, def); },
        [key](TLXDesigned &c, int64_t v) { c.SetStoredValue(key, v); }, def);
}

TPropInfo KeptBool(const char *name, bool def)
{
    return Kept(name, DesignerTypes().Boolean, def ? 1 : 0);
}

TPropInfo KeptText(const char *name, const TTypeInfo &type)
{
    const std::string key = name;
    return Str<TLXDesigned>(
        name, type, [key](TLXDesigned &c) { return c.StoredText(key); },
        [key](TLXDesigned &c, const std::string &v) { c.SetStoredText(key, v); });
}

TPropInfo NoObject(const char *name, const TTypeInfo &type)
{
    const std::string typeName = type.Name;
    return Obj<TPersistent>(
        name, type, [](TPersistent &) -> TPersistent * { return nullptr; },
        [typeName](TPersistent &, TPersistent *value) {
            if (value)
                throw Exception("Invalid property value: no " + typeName + " in the designer");
        });
}

TPropInfo Caption(const char *name)
{
    return Str<TLXDesigned>(
        name, DesignerTypes().TCaption,
        [](TLXDesigned &c) { return CodePage::FromQString(c.Text()); },
        [](TLXDesigned &c, const std::string &v) { c.SetText(CodePage::ToQString(v)); });
}

TPropInfo Comment()
{
    return Obj<TLXDesigned>(
        "Comment", DesignerTypes().TStrings, [](TLXDesigned &c) { return c.CommentStrings(); },
        [](TLXDesigned &c, TPersistent *v) {
            if (auto *lines = dynamic_cast<TStrings *>(v))
                c.CommentStrings()->Assign(*lines);
            else
                c.CommentStrings()->Clear();
        });
}

std::vector<TPropInfo> ColorProps(int32_t ownColor)
{
    const TDesignerTypes &t = DesignerTypes();
    return {UnlessParent(Ord<TLXDesigned>(
                             "Color", t.TColor, [](TLXDesigned &c) { return c.Color(); },
                             [](TLXDesigned &c, int64_t v) { c.SetColor(static_cast<int32_t>(v)); },
                             ownColor),
                         "ParentColor"),
            Bool<TLXDesigned>(
                "ParentColor", [](TLXDesigned &c) { return c.ParentColor(); },
                [](TLXDesigned &c, bool v) { c.SetParentColor(v); }, ownColor == clBtnFace)};
}

std::vector<TPropInfo> Ctl3DProps()
{
    return {UnlessParent(Bool<TLXDesigned>(
                             "Ctl3D", [](TLXDesigned &c) { return c.Ctl3D(); },
                             [](TLXDesigned &c, bool v) { c.SetCtl3D(v); }, true),
                         "ParentCtl3D"),
            KeptBool("ParentCtl3D", true)};
}

std::vector<TPropInfo> BevelProps()
{
    const TDesignerTypes &t = DesignerTypes();
    const auto part = [](const char *name, const TTypeInfo &type, auto field, int64_t def) {
        return Ord<TLXDesigned>(
            name, type, [field](TLXDesigned &c) -> int64_t { return c.Bevel().*field; },
            [field](TLXDesigned &c, int64_t v) {
                TBevel bevel = c.Bevel();
                bevel.*field = static_cast<std::remove_reference_t<decltype(bevel.*field)>>(v);
                c.SetBevel(bevel);
            },
            def);
    };
    return {part("BevelEdges", t.TBevelEdges, &TBevel::Edges, 0xF),
            part("BevelInner", t.TBevelCut, &TBevel::Inner, TBevel::bvRaised),
            part("BevelKind", t.TBevelKind, &TBevel::Kind, TBevel::bkNone),
            part("BevelOuter", t.TBevelCut, &TBevel::Outer, TBevel::bvLowered)};
}

std::vector<TPropInfo> ImeProps()
{
    const TDesignerTypes &t = DesignerTypes();
    return {Kept("ImeMode", t.TImeMode, 3), KeptText("ImeName", t.TImeName)};
}

TPropInfo Align()
{
    return Ord<TLXDesigned>(
        "Align", DesignerTypes().TAlign, [](TLXDesigned &c) { return c.Align(); },
        [](TLXDesigned &c, int64_t v) { c.SetAlign(static_cast<int>(v)); }, 0);
}

TPropInfo TabStop(bool def)
{
    return Bool<TLXDesigned>(
        "TabStop", [](TLXDesigned &c) { return (c.Widget()->focusPolicy() & Qt::TabFocus) != 0; },
        [](TLXDesigned &c, bool v) {
            QWidget *w = c.Widget();
            const int policy = w->focusPolicy();
            w->setFocusPolicy(
                static_cast<Qt::FocusPolicy>(v ? policy | Qt::TabFocus : policy & ~Qt::TabFocus));
        },
        def);
}

TPropInfo UnlessParent(TPropInfo prop, const char *parentProperty)
{
    const std::string name = parentProperty;
    prop.Stored = [name](TPersistent *o) {
        const TPropInfo *parent = TypInfo::ClassInfoOf(o)->Find(name);
        return !parent || parent->Get(o).AsInt64() == 0;
    };
    return prop;
}

void Add(std::vector<TPropInfo> &list, std::vector<TPropInfo> props)
{
    for (TPropInfo &prop : props)
        list.push_back(std::move(prop));
}

} // namespace DesignerProps
