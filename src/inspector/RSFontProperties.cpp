#include "inspector/RSFontProperties.h"

#include "controls/published/DesignerProps.h"
#include "controls/published/DesignerTypes.h"
#include "propgrid/RSFont.h"

#include <typeinfo>

using namespace DesignerProps;

namespace
{

// The grid's fonts hold their colour as red, green, blue from the high
// byte down; colour properties hold it the other way round.
int64_t SwapRedBlue(int64_t color)
{
    const auto c = static_cast<uint32_t>(color);
    return static_cast<int64_t>((c & 0xFF00FF00u) | ((c & 0xFF) << 16) | ((c >> 16) & 0xFF));
}

using F = TRSFontProperties;

} // namespace

void TRSFontProperties::Assign(const TRSFontProperties &source)
{
    FFont.Assign(source.FFont);
}

const TClassInfo *TRSFontProperties::ClassType()
{
    static const TClassInfo *info = [] {
        const TClassInfo *parent = TypInfo::RequireRegisteredClass("TPersistent");
        const TDesignerTypes &t = DesignerTypes();
        static TClassInfo cls;
        cls.Name = "TRSFontProperties";
        cls.Parent = parent;
        cls.Properties = {
            Ord<F>(
                "Color", t.TColor, [](F &f) { return SwapRedBlue(f.Font().Color()); },
                [](F &f, int64_t v) { f.Font().SetColor(static_cast<TRSColor>(SwapRedBlue(v))); },
                NoDefault),
            Str<F>(
                "Name", t.TFontName, [](F &f) { return f.Font().Name(); },
                [](F &f, const std::string &v) { f.Font().SetName(v); }),
            Ord<F>(
                "Size", t.Integer, [](F &f) { return f.Font().Size(); },
                [](F &f, int64_t v) { f.Font().SetSize(static_cast<int>(v)); }, NoDefault),
            Ord<F>(
                "Style", t.TFontStyles, [](F &f) { return f.Font().Style(); },
                [](F &f, int64_t v) { f.Font().SetStyle(static_cast<unsigned>(v)); }, 0),
        };
        TypInfo::RegisterClass(typeid(TRSFontProperties), &cls);
        return &cls;
    }();
    return info;
}

const TTypeInfo &TRSFontProperties::PropertyType()
{
    static const TTypeInfo type = [] {
        TTypeInfo t;
        t.Kind = tkClass;
        t.Name = "TFont";
        t.ClassType = ClassType();
        return t;
    }();
    return type;
}
