#include "inspector/ItemListEditorClasses.h"

#include "controls/Bitmap.h"
#include "controls/Colors.h"
#include "controls/Picture.h"
#include "controls/Strings.h"
#include "controls/published/DesignerProps.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSFontProperties.h"
#include "inspector/RSItemPropsFiler.h"
#include "inspector/RSPropertyPreset.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"
#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemProps.h"
#include "reflection/Reader.h"
#include "reflection/Writer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <optional>
#include <typeinfo>
#include <unordered_map>

using namespace DesignerProps;

namespace
{

using G = TRSCustomItemListEditor;

using I = TRSCustomObjectInspector;

// A string list of the grid as a published string list: constructs it in
// place.
void Bind(std::optional<TStrings> &lines, TRSStringList &list)
{
    lines.emplace(
        [&list] { return CodePage::ToQStringList(list.Lines()); },
        [&list](const QStringList &text) { list.SetLines(CodePage::FromQStringList(text)); });
}

// A glyph as a picture, and back: dark pixels are black.
void ShowGlyph(TPicture &picture, const TRSGlyph &glyph)
{
    QImage image(glyph.Width, glyph.Height, QImage::Format_RGB32);
    for (int y = 0; y < glyph.Height; ++y)
        for (int x = 0; x < glyph.Width; ++x)
            image.setPixel(x, y, glyph.Black(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromBytes(bytes);
    const std::function<void()> onChange = std::exchange(picture.OnChange, nullptr);
    picture.SetGraphic(std::move(bitmap));
    picture.OnChange = onChange;
}

TRSGlyph GlyphOf(const TPicture &picture)
{
    TRSGlyph glyph;
    if (picture.Empty())
        return glyph;
    glyph.Width = picture.Width();
    glyph.Height = picture.Height();
    QImage image(glyph.Width, glyph.Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        picture.Graphic()->Draw(painter, image.rect());
    }
    for (int y = 0; y < glyph.Height; ++y)
        for (int x = 0; x < glyph.Width; ++x)
            glyph.Pixels.push_back(qGray(image.pixel(x, y)) < 128);
    return glyph;
}

// The grid's fonts and string lists as the published-property model sees
// them: objects bound to the grid's own, made on first use and dropped with
// the grid. The inspector's own are there for an inspector only.
struct TGridFaces {
    explicit TGridFaces(G &grid)
        : Font(grid.Font()), ValueFont(grid.ValueFont()), CategoryFont(grid.CategoryFont()),
          TitleCaptionFont(grid.TitleCaptionFont())
    {
        Bind(TitleCaptions, grid.TitleCaptions());
        MinusGlyph.OnChange = [this, &grid] { grid.SetMinusGlyph(GlyphOf(MinusGlyph)); };
        PlusGlyph.OnChange = [this, &grid] { grid.SetPlusGlyph(GlyphOf(PlusGlyph)); };
        if (auto *inspector = dynamic_cast<I *>(&grid)) {
            ValueChangedFont.emplace(inspector->ValueChangedFont());
            Bind(Filters, inspector->Filters());
        }
    }
    TRSFontProperties Font;
    TRSFontProperties ValueFont;
    TRSFontProperties CategoryFont;
    TRSFontProperties TitleCaptionFont;
    std::optional<TStrings> TitleCaptions;
    TPicture MinusGlyph;
    TPicture PlusGlyph;
    std::optional<TRSFontProperties> ValueChangedFont;
    std::optional<TStrings> Filters;
};

TGridFaces &FacesOf(G &grid)
{
    static std::unordered_map<const G *, std::unique_ptr<TGridFaces>> faces;
    auto &entry = faces[&grid];
    if (!entry) {
        entry = std::make_unique<TGridFaces>(grid);
        const G *key = &grid;
        grid.AddFreeObserver([key](TPersistent *) { faces.erase(key); });
    }
    return *entry;
}

struct TGridTypes {
    TTypeInfo DisplayOption, DisplayOptions, PropOption, PropOptions, Orientation, ShowHints,
        StringsOption, StringsOptions;

    TGridTypes()
    {
        Enumeration(DisplayOption, "TILEDisplayOption",
                    {"doColumnTitles", "doAutoColResize", "doKeyColFixed", "doShowReadOnly",
                     "doMultiColValues"});
        Set(DisplayOptions, "TILEDisplayOptions", DisplayOption);
        Enumeration(PropOption, "TILEPropOption",
                    {"propEdit", "propAdd", "propDelete", "propUnique"});
        Set(PropOptions, "TILEPropOptions", PropOption);
        Enumeration(Orientation, "TRSGridOrientation", {"goVertical", "goHorizontal"});
        Enumeration(ShowHints, "TGridShowHints",
                    {"shNone", "shValueOnly", "shHintOnly", "shValueAndHint"});
        Enumeration(StringsOption, "TInplaceTStringsOption", {"isUseNameValue", "isSort"});
        Set(StringsOptions, "TInplaceTStringsOptions", StringsOption);
    }

    static void Enumeration(TTypeInfo &type, const char *name, std::vector<std::string> names)
    {
        type.Kind = tkEnumeration;
        type.Name = name;
        type.MaxValue = static_cast<int64_t>(names.size()) - 1;
        type.Names = std::move(names);
    }
    static void Set(TTypeInfo &type, const char *name, const TTypeInfo &elements)
    {
        type.Kind = tkSet;
        type.Name = name;
        type.MaxValue = elements.MaxValue;
        type.CompType = &elements;
    }
};

const TGridTypes &GridTypes()
{
    static const TGridTypes types;
    return types;
}

TPropInfo IntProp(const char *name, int (G::*get)() const, std::function<void(G &, int)> set,
                  TDefault def)
{
    return Ord<G>(
        name, DesignerTypes().Integer, [get](G &g) { return (g.*get)(); },
        [set](G &g, int64_t v) { set(g, static_cast<int>(v)); }, def);
}

// An object property of a face; face returns it.
template <class Face>
TPropInfo FaceProp(const char *name, const TTypeInfo &type, std::function<Face &(G &)> face)
{
    return Obj<G>(
        name, type, [face](G &g) -> TPersistent * { return &face(g); },
        [face](G &g, TPersistent *v) {
            if (auto *other = dynamic_cast<Face *>(v))
                face(g).Assign(*other);
        });
}

TPropInfo FontProp(const char *name, TRSFontProperties TGridFaces::*face)
{
    return FaceProp<TRSFontProperties>(
        name, TRSFontProperties::PropertyType(),
        [face](G &g) -> TRSFontProperties & { return FacesOf(g).*face; });
}

// A glyph as a picture, stored while it is not the initial one.
TPropInfo GlyphProp(const char *name, TPicture TGridFaces::*face, const TRSGlyph &(G::*get)() const,
                    TRSGlyph (*initial)())
{
    TPropInfo prop =
        FaceProp<TPicture>(name, DesignerTypes().TPicture, [face, get](G &g) -> TPicture & {
            TPicture &picture = FacesOf(g).*face;
            if (GlyphOf(picture) != (g.*get)())
                ShowGlyph(picture, (g.*get)());
            return picture;
        });
    prop.Stored = [get, initial](TPersistent *o) { return (As<G>(o).*get)() != initial(); };
    return prop;
}

// A text property with the value it is left out at.
TPropInfo TextProp(const char *name, const std::string &(I::*get)() const,
                   void (I::*set)(const std::string &), std::string def)
{
    TPropInfo prop = Str<I>(
        name, DesignerTypes().String, [get](I &i) { return (i.*get)(); },
        [set](I &i, const std::string &v) { (i.*set)(v); });
    prop.Stored = [get, def](TPersistent *o) { return (As<I>(o).*get)() != def; };
    return prop;
}

// Every published grid property, in name order.
std::vector<TPropInfo> GridProps()
{
    const TDesignerTypes &t = DesignerTypes();
    const TGridTypes &gt = GridTypes();
    TPropInfo titles = FaceProp<TStrings>(
        "TitleCaptions", t.TStrings, [](G &g) -> TStrings & { return *FacesOf(g).TitleCaptions; });
    titles.Stored = [](TPersistent *o) { return As<G>(o).IsTitleCaptionsStored(); };
    return {
        Bool<G>(
            "ArrangeByCategory", [](G &g) { return g.ArrangeByCategory(); },
            [](G &g, bool v) { g.SetArrangeByCategory(v); }, false),
        Bool<G>(
            "CaseSensitive", [](G &g) { return g.CaseSensitive(); },
            [](G &g, bool v) { g.SetCaseSensitive(v); }, false),
        FontProp("CategoryFont", &TGridFaces::CategoryFont),
        IntProp(
            "ColCount", &G::ColCount, [](G &g, int v) { g.SetPublishedColCount(v); }, 2),
        Ord<G>(
            "Color", t.TColor, [](G &g) { return g.Color(); },
            [](G &g, int64_t v) { g.SetColor(static_cast<int32_t>(v)); }, clWindow),
        IntProp(
            "DefaultColWidth", &G::DefaultColWidth, [](G &g, int v) { g.SetDefaultColWidth(v); },
            150),
        Bool<G>(
            "DefaultDrawing", [](G &g) { return g.DefaultDrawing(); },
            [](G &g, bool v) { g.SetDefaultDrawing(v); }, true),
        IntProp(
            "DefaultRowHeight", &G::DefaultRowHeight, [](G &g, int v) { g.SetDefaultRowHeight(v); },
            18),
        Bool<G>(
            "DeleteBlanks", [](G &g) { return g.DeleteBlanks(); },
            [](G &g, bool v) { g.SetDeleteBlanks(v); }, true),
        Ord<G>(
            "DisplayOptions", gt.DisplayOptions, [](G &g) { return g.DisplayOptions(); },
            [](G &g, int64_t v) { g.SetDisplayOptions(static_cast<TILEDisplayOptions>(v)); },
            doColumnTitles | doAutoColResize | doKeyColFixed | doShowReadOnly),
        IntProp(
            "DropDownRows", &G::DropDownRows, [](G &g, int v) { g.SetDropDownRows(v); }, 8),
        Ord<G>(
            "FixedColor", t.TColor, [](G &g) { return g.FixedColor(); },
            [](G &g, int64_t v) { g.SetFixedColor(static_cast<int32_t>(v)); }, clBtnFace),
        IntProp(
            "FixedCols", &G::FixedCols, [](G &g, int v) { g.SetFixedCols(v); }, 0),
        FontProp("Font", &TGridFaces::Font),
        IntProp(
            "GridLineWidth", &G::GridLineWidth, [](G &g, int v) { g.SetGridLineWidth(v); }, 1),
        Bool<G>(
            "HideSelection", [](G &g) { return g.HideSelection(); },
            [](G &g, bool v) { g.SetHideSelection(v); }, true),
        // The declared default is not the initial 11, so the indent is
        // always written out.
        IntProp(
            "Indent", &G::Indent, [](G &g, int v) { g.SetIndent(v); }, 17),
        GlyphProp("MinusGlyph", &TGridFaces::MinusGlyph, &G::MinusGlyph, &TRSGlyph::Minus),
        Ord<G>(
            "Options", t.TGridOptions, [](G &g) { return g.Options(); },
            [](G &g, int64_t v) { g.SetOptions(static_cast<TGridOptions>(v)); },
            goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goEditing |
                goAlwaysShowEditor | goThumbTracking),
        Ord<G>(
            "Orientation", gt.Orientation, [](G &g) { return g.Orientation(); },
            [](G &g, int64_t v) { g.SetOrientation(static_cast<TRSGridOrientation>(v)); },
            goVertical),
        Str<G>(
            "PathDelimiter", t.String, [](G &g) { return g.PathDelimiter(); },
            [](G &g, const std::string &v) { g.SetPathDelimiter(v); }),
        GlyphProp("PlusGlyph", &TGridFaces::PlusGlyph, &G::PlusGlyph, &TRSGlyph::Plus),
        Ord<G>(
            "PropertyOptions", gt.PropOptions, [](G &g) { return g.PropertyOptions(); },
            [](G &g, int64_t v) { g.SetPropertyOptions(static_cast<TILEPropOptions>(v)); }, 0),
        IntProp(
            "RowCount", &G::RowCount, [](G &g, int v) { g.SetPublishedRowCount(v); }, 2),
        Ord<G>(
            "ScrollBars", t.TScrollStyle, [](G &g) { return g.ScrollBars(); },
            [](G &g, int64_t v) { g.SetScrollBars(static_cast<G::TScrollStyle>(v)); }, G::ssBoth),
        Ord<G>(
            "ShowItemHintStyle", gt.ShowHints, [](G &g) { return g.ShowItemHintStyle(); },
            [](G &g, int64_t v) { g.SetShowItemHintStyle(static_cast<TGridShowHints>(v)); },
            shValueAndHint),
        Bool<G>(
            "Sorted", [](G &g) { return g.Sorted(); }, [](G &g, bool v) { g.SetSorted(v); }, false),
        FontProp("TitleCaptionFont", &TGridFaces::TitleCaptionFont),
        titles,
        FontProp("ValueFont", &TGridFaces::ValueFont),
    };
}

// The object inspector's own published properties.
std::vector<TPropInfo> OwnInspectorProps()
{
    const TDesignerTypes &t = DesignerTypes();
    const TTypeInfo *typeKinds = nullptr;
    for (const TPropInfo &prop : TRSPropertyPreset::ClassType()->Properties)
        if (prop.Name == "TypeKinds")
            typeKinds = prop.PropType;
    TPropInfo filters = FaceProp<TStrings>("Filters", t.TStrings,
                                           [](G &g) -> TStrings & { return *FacesOf(g).Filters; });
    filters.Stored = [](TPersistent *o) { return As<I>(o).Filters().Count() > 0; };
    return {
        TextProp("CollectionItemFormat", &I::CollectionItemFormat, &I::SetCollectionItemFormat,
                 "Items[%d]"),
        Ord<I>(
            "DisplayKinds", *typeKinds, [](I &i) { return i.DisplayKinds(); },
            [](I &i, int64_t v) { i.SetDisplayKinds(static_cast<TTypeKinds>(v)); },
            I::DefaultDisplayKinds),
        Bool<I>(
            "DynamicTitleCaptions", [](I &i) { return i.DynamicTitleCaptions(); },
            [](I &i, bool v) { i.SetDynamicTitleCaptions(v); }, false),
        filters,
        Bool<I>(
            "InplaceCollections", [](I &i) { return i.InplaceCollections(); },
            [](I &i, bool v) { i.SetInplaceCollections(v); }, false),
        Bool<I>(
            "InplaceComponents", [](I &i) { return i.InplaceComponents(); },
            [](I &i, bool v) { i.SetInplaceComponents(v); }, true),
        Bool<I>(
            "InplaceTStrings", [](I &i) { return i.InplaceTStrings(); },
            [](I &i, bool v) { i.SetInplaceTStrings(v); }, false),
        Ord<I>(
            "InplaceTStringsOptions", GridTypes().StringsOptions,
            [](I &i) { return i.InplaceTStringsOptions(); },
            [](I &i, int64_t v) {
                i.SetInplaceTStringsOptions(static_cast<TInplaceTStringsOptions>(v));
            },
            0),
        Bool<I>(
            "ShowValueChangedFont", [](I &i) { return i.ShowValueChangedFont(); },
            [](I &i, bool v) { i.SetShowValueChangedFont(v); }, true),
        TextProp("StringsItemFormat", &I::StringsItemFormat, &I::SetStringsItemFormat, "Items[%d]"),
        FaceProp<TRSFontProperties>(
            "ValueChangedFont", TRSFontProperties::PropertyType(),
            [](G &g) -> TRSFontProperties & { return *FacesOf(g).ValueChangedFont; }),
    };
}

// The grid properties the object inspector publishes, with its own.
std::vector<TPropInfo> InspectorProps()
{
    static const char *const names[] = {"ArrangeByCategory",
                                        "CategoryFont",
                                        "Color",
                                        "DisplayOptions",
                                        "DropDownRows",
                                        "Font",
                                        "Indent",
                                        "Orientation",
                                        "PathDelimiter",
                                        "PropertyOptions",
                                        "ShowItemHintStyle",
                                        "Sorted",
                                        "TitleCaptionFont",
                                        "TitleCaptions",
                                        "ValueFont"};
    std::vector<TPropInfo> props;
    for (TPropInfo &prop : GridProps())
        if (std::find(std::begin(names), std::end(names), prop.Name) != std::end(names))
            props.push_back(std::move(prop));
    for (TPropInfo &prop : OwnInspectorProps())
        props.push_back(std::move(prop));
    return props;
}

} // namespace

void RegisterItemListEditorClasses()
{
    if (TypInfo::ClassInfoOfType(typeid(TRSItemListEditor)))
        throw EProgramFault("The property grid's classes are registered twice");
    // The grid's own description publishes nothing; its descendants choose.
    static const TClassInfo custom =
        Describe("TRSCustomItemListEditor", TypInfo::RequireRegisteredClass("TPersistent"), {});
    static const TClassInfo grid = Describe("TRSItemListEditor", &custom, GridProps());
    static const TClassInfo inspector =
        Describe("TRSCustomObjectInspector", &custom, InspectorProps());
    TRSItemListEditor::InstallRowsFiler([](TFiler &filer, TRSItemProps &rows) {
        filer.DefineProperty(
            "Items", [&rows](TReader &r) { TRSItemPropsFiler::ReadRows(r, rows); },
            [&rows](TWriter &w) { TRSItemPropsFiler::WriteRows(w, rows); }, rows.Count() > 0);
    });
    TypInfo::RegisterClass(typeid(TRSCustomItemListEditor), &custom);
    TypInfo::RegisterClass(typeid(TRSItemListEditor), &grid);
    TypInfo::RegisterClass(typeid(TRSCustomObjectInspector), &inspector);
}
