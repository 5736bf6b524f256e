#include "controls/Strings.h"
#include "controls/published/DesignerProps.h"
#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"
#include "reflection/GSpecialFiler.h"
#include "reflection/Reader.h"
#include "reflection/Writer.h"

#include <gtest/gtest.h>

// The description tables below name only the fields they need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace DesignerProps;

namespace
{

TTypeInfo ShadeType{tkEnumeration, "TStreamShade", 0, 2, {"shLight", "shDark", "shDeep"}};
TTypeInfo ShadesType{tkSet, "TStreamShades", 0, 2, {}, nullptr, &ShadeType};
TTypeInfo FloatType{tkFloat, "Double"};
TTypeInfo VariantType{tkVariant, "Variant"};

struct TPen : TPersistent {
    int64_t Width = 1;
    std::string Style;
};

struct TShape : TCollectionItem {
    using TCollectionItem::TCollectionItem;
    std::string Caption;
    int64_t Count = 3, Shade = 0, Shades = 0;
    double Ratio = 0;
    TVariant Extra;
    TPen Pen;
};

struct TLink : TPersistent {
    bool IsComponent() const override { return true; }
};

struct TDrawing : TPersistent {
    bool Visible = true;
    int64_t Left = 0;
    std::string Name;
    TPen Pen;
    TCollection Shapes{this, typeid(TShape), [](TCollection *c) { return new TShape(c); }};
    TStrings Notes;
    TLink *Link = nullptr;
};

template <class T> TPropInfo Float(const char *name, double T::*field)
{
    return {name, &FloatType, [field](TPersistent *o) { return TVariant(As<T>(o).*field); },
            [field](TPersistent *o, const TVariant &v) { As<T>(o).*field = v.AsDouble(); }};
}

template <class T>
TPropInfo Int(const char *name, int64_t T::*field, const TTypeInfo &type, TDefault def)
{
    return Ord<T>(
        name, type, [field](T &o) { return o.*field; }, [field](T &o, int64_t v) { o.*field = v; },
        def);
}

template <class T> TPropInfo Text(const char *name, std::string T::*field)
{
    return Str<T>(
        name, DesignerTypes().String, [field](T &o) { return o.*field; },
        [field](T &o, const std::string &v) { o.*field = v; });
}

struct TStreamClasses {
    TClassInfo Pen, Shape, Drawing;
    TTypeInfo PenType{tkClass, "TStreamPen", 0, 0, {}, nullptr, nullptr, &Pen};
    TTypeInfo ShapesType{tkClass, "TCollection"};
    TTypeInfo NotesType{tkClass, "TStrings"};
    TTypeInfo LinkType{tkClass, "TStreamLink"};

    TStreamClasses()
    {
        const TDesignerTypes &t = DesignerTypes();
        Pen = {"TStreamPen",
               TypInfo::FindRegisteredClass("TPersistent"),
               {Int<TPen>("Width", &TPen::Width, t.Integer, 1), Text<TPen>("Style", &TPen::Style)}};
        Shape = {"TStreamShape",
                 TypInfo::FindRegisteredClass("TCollectionItem"),
                 {Text<TShape>("Caption", &TShape::Caption),
                  Int<TShape>("Count", &TShape::Count, t.Integer, 3),
                  Int<TShape>("Shade", &TShape::Shade, ShadeType, 0),
                  Int<TShape>("Shades", &TShape::Shades, ShadesType, 0),
                  Float<TShape>("Ratio", &TShape::Ratio),
                  {"Extra", &VariantType, [](TPersistent *o) { return As<TShape>(o).Extra; },
                   [](TPersistent *o, const TVariant &v) { As<TShape>(o).Extra = v; }},
                  Obj<TShape>("Pen", PenType, [](TShape &s) { return &s.Pen; }, {})}};
        Drawing = {"TStreamDrawing",
                   TypInfo::FindRegisteredClass("TPersistent"),
                   {Bool<TDrawing>(
                        "Visible", [](TDrawing &d) { return d.Visible; },
                        [](TDrawing &d, bool v) { d.Visible = v; }, true),
                    Int<TDrawing>("Left", &TDrawing::Left, t.Integer, NoDefault),
                    Text<TDrawing>("Name", &TDrawing::Name),
                    Obj<TDrawing>("Pen", PenType, [](TDrawing &d) { return &d.Pen; }, {}),
                    Obj<TDrawing>("Shapes", ShapesType, [](TDrawing &d) { return &d.Shapes; }, {}),
                    Obj<TDrawing>("Notes", NotesType, [](TDrawing &d) { return &d.Notes; }, {}),
                    Obj<TDrawing>(
                        "Link", LinkType, [](TDrawing &d) { return d.Link; },
                        [](TDrawing &d, TPersistent *v) { d.Link = static_cast<TLink *>(v); })}};
        TypInfo::RegisterClass(typeid(TPen), &Pen);
        TypInfo::RegisterClass(typeid(TShape), &Shape);
        TypInfo::RegisterClass(typeid(TDrawing), &Drawing);
    }
};

class StreamTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { static TStreamClasses classes; }

    static std::string Save(TPersistent &object)
    {
        TWriter writer;
        writer.WriteListBegin();
        writer.WriteProperties(&object);
        writer.WriteListEnd();
        return writer.Data();
    }

    static void Load(const std::string &data, TPersistent &object)
    {
        TReader reader(data);
        reader.ReadListBegin();
        reader.ReadProperties(&object);
        reader.ReadListEnd();
    }

    static std::string ErrorOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const Exception &e) {
            return e.what();
        }
        return "(no error)";
    }

    static bool Holds(const std::string &data, const std::string &name)
    {
        return data.find(name) != std::string::npos;
    }

    // A drawing whose every kind of property differs from its default.
    static void Fill(TDrawing &d)
    {
        d.Visible = false;
        d.Name = "Plan";
        d.Pen.Width = 4;
        d.Notes.SetStrings({"first", "", "third"});
        auto *s = static_cast<TShape *>(d.Shapes.Add());
        s->Caption = "Roof";
        s->Count = -70000;
        s->Shade = 2;
        s->Shades = 5;
        s->Ratio = 0.125;
        s->Extra = TVariant(int64_t(7));
        s->Pen.Style = "dash";
        d.Shapes.Add();
    }
};

TEST_F(StreamTest, ObjectsRoundTripWithDefaultsAndEmptySubObjectsLeftOut)
{
    TDrawing fresh;
    const std::string plain = Save(fresh);
    EXPECT_TRUE(Holds(plain, "Left")) << "a property without default is always stored";
    EXPECT_FALSE(Holds(plain, "Visible"));
    EXPECT_FALSE(Holds(plain, "Pen")) << "a sub-object with nothing stored is left out";
    EXPECT_FALSE(Holds(plain, "Notes"));

    TDrawing source;
    TLink link;
    source.Link = &link;
    Fill(source);
    const std::string data = Save(source);
    EXPECT_FALSE(Holds(data, "Link")) << "component references are not stored";

    TDrawing target;
    target.Left = 99;
    target.Shapes.Add();
    target.Shapes.Add();
    target.Shapes.Add();
    Load(data, target);
    // Writing is deterministic: the same bytes mean the same stored values.
    EXPECT_EQ(Save(target), data);
    EXPECT_EQ(target.Left, 0);
    EXPECT_EQ(target.Notes.Strings(), (std::vector<std::string>{"first", "", "third"}));
    ASSERT_EQ(target.Shapes.Count(), 2);
    auto *s = static_cast<TShape *>(target.Shapes.Items(0));
    EXPECT_EQ(s->Extra.VarType(), TVariant::varInt64);
    EXPECT_EQ(s->Shades, 5);
    EXPECT_EQ(s->Pen.Style, "dash");
}

TEST_F(StreamTest, FilersOfTheWrongDirectionAndUnknownNamesAreRefused)
{
    TCollection c(nullptr, typeid(TShape), [](TCollection *o) { return new TShape(o); });
    c.Add();
    TReader reader(std::string(1, vaCollection));
    TWriter writer;
    EXPECT_EQ(ErrorOf([&] { TGSpecialFiler(&reader, &c).WriteCollection(); }),
              "No TWriter defined for filer");
    EXPECT_EQ(ErrorOf([&] { TGSpecialFiler(nullptr, &c).WriteCollection(); }),
              "No TWriter defined for filer");
    EXPECT_EQ(ErrorOf([&] { TGSpecialFiler(&writer, &c).ReadCollection(); }),
              "No TReader defined for filer");
    EXPECT_EQ(ErrorOf([&] { TGSpecialFiler(nullptr, &c).ReadCollection(); }),
              "No TReader defined for filer");
    EXPECT_EQ(c.Count(), 1);

    // A stored class that is not registered, or cannot be made by name.
    for (const char *name : {"TNoSuchShape", "TStreamDrawing"}) {
        TWriter w;
        w.WriteValue(vaCollection);
        w.WriteListBegin();
        w.WritePropName("HiddenItemClass");
        w.WriteString(name);
        w.WriteListEnd();
        w.WriteListEnd();
        TReader r(w.Data());
        EXPECT_EQ(ErrorOf([&] { TGSpecialFiler(&r, &c).ReadCollection(); }),
                  std::string("Class ") + name + " not found");
    }

    TWriter w;
    w.WriteListBegin();
    w.WritePropName("Bogus");
    w.WriteInteger(1);
    w.WriteListEnd();
    TDrawing d;
    EXPECT_EQ(ErrorOf([&] { Load(w.Data(), d); }), "Property Bogus does not exist");
}

TEST_F(StreamTest, TruncatedAndCorruptedStreamsRaiseErrors)
{
    TDrawing source;
    Fill(source);
    const std::string data = Save(source);
    for (size_t n = 0; n < data.size(); ++n) {
        TDrawing target;
        EXPECT_THROW(Load(data.substr(0, n), target), EFilerError) << "prefix of " << n;
    }
    // Any byte changed to any value: an error or a readable stream, never a
    // read outside the data.
    int errors = 0;
    for (size_t i = 0; i < data.size(); ++i)
        for (int value = 0; value < 256; value += 7) {
            std::string bad = data;
            bad[i] = static_cast<char>(value);
            TDrawing target;
            try {
                Load(bad, target);
            } catch (const Exception &) {
                ++errors;
            }
        }
    EXPECT_GT(errors, 0);

    TReader huge(std::string{char(vaString), char(0xFF), char(0xFF), char(0xFF), char(0x7F), 'x'});
    EXPECT_THROW(huge.ReadString(), EFilerError);
    TWriter objectValue;
    EXPECT_THROW(objectValue.WriteVariant(TVariant(static_cast<TPersistent *>(nullptr))),
                 EFilerError);
}

} // namespace
