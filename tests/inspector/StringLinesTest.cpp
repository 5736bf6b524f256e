#include "controls/Strings.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "propgrid/RSItemPropValueStrings.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// The description tables below name only the fields they need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace
{

// A component with a string list of its own.
struct Notes : TPersistent {
    bool IsComponent() const override { return true; }
    std::string ComponentName() const override { return "Notes1"; }
    TStrings Lines;
};

TTypeInfo StringsType{tkClass, "TStrings"};
TClassInfo NotesClass{"TNotes",
                      nullptr,
                      {{"Lines", &StringsType,
                        [](TPersistent *o) {
                            return TVariant(
                                static_cast<TPersistent *>(&static_cast<Notes *>(o)->Lines));
                        },
                        [](TPersistent *, const TVariant &) {}}}};

class StringLinesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { TypInfo::RegisterClass(typeid(Notes), &NotesClass); }
    void SetUp() override
    {
        I().SetInplaceTStrings(true);
        I().OnAfterScan = [this](TRSObject *, TRSItemProperty *item) {
            if (!item)
                ++scans;
        };
    }
    TRSCustomObjectInspector &I() { return *view.Inspector(); }
    TRSItemProperty *Row(const std::string &path)
    {
        return static_cast<TRSItemProperty *>(I().Items()->FindPath(path));
    }
    std::vector<std::string> Names(const std::string &path)
    {
        std::vector<std::string> names;
        if (!Row(path))
            return {"(no row " + path + ")"};
        TRSItemProps *rows = Row(path)->Items();
        for (int i = 0; i < rows->Count(); ++i)
            names.push_back(rows->Item(i)->Name());
        return names;
    }
    void Inspect(std::initializer_list<Notes *> objects)
    {
        for (Notes *n : objects)
            I().Objects().AddObject(n);
        view.Rebuild();
    }
    void Write(const std::string &path, const std::string &text)
    {
        TRSItemProperty *row = Row(path);
        ASSERT_NE(row, nullptr) << path;
        row->SetValue(text);
        row->Apply();
    }
    void Flush() { QCoreApplication::sendPostedEvents(); }

    Notes a, b;
    TRSObjectInspector view;
    int scans = 0;
};

TEST_F(StringLinesTest, LinesAreRowsInLineOrderAndAWriteRebuilds)
{
    a.Lines.SetStrings({"zeta", "alpha", ""});
    I().SetInplaceTStrings(false);
    Inspect({&a});
    EXPECT_EQ(Row("Lines")->Items()->Count(), 0);

    I().SetInplaceTStrings(true);
    Flush();
    EXPECT_EQ(Names("Lines"), (std::vector<std::string>{"Items[0]", "Items[1]", "Items[2]"}));
    TRSItemProperty *line = Row("Lines.Items[1]");
    EXPECT_EQ(line->Value(), "alpha");
    EXPECT_EQ(line->TypeName(), "TStrings Item");
    EXPECT_EQ(line->TypeKind(), tkString);
    EXPECT_FALSE(line->GetReadOnly());

    const int before = scans;
    Write("Lines.Items[1]", "beta");
    EXPECT_EQ(a.Lines.Strings(), (std::vector<std::string>{"zeta", "beta", ""}));
    Flush();
    EXPECT_GT(scans, before) << "a line write rebuilds the rows";
    EXPECT_EQ(Row("Lines.Items[1]")->Value(), "beta");

    I().SetStringsItemFormat("Line %d");
    I().SetInplaceTStringsOptions(InplaceOption(isSort));
    Flush();
    EXPECT_EQ(Names("Lines"), (std::vector<std::string>{"Line 0", "Line 1", "Line 2"}));

    // A line that went away meanwhile is not written as if it were there.
    TRSItemProperty *last = Row("Lines.Line 2");
    a.Lines.SetStrings({"one"});
    last->SetValue("x");
    EXPECT_THROW(last->Apply(), std::exception);
    EXPECT_EQ(a.Lines.Strings(), std::vector<std::string>{"one"});
}

TEST_F(StringLinesTest, NameValueLinesNestByTheirNames)
{
    a.Lines.SetStrings({"Font.Name=Arial", "Title=Hi", "Font.Size=8", "plain", "Font=big"});
    I().SetInplaceTStringsOptions(InplaceOption(isUseNameValue) | InplaceOption(isSort));
    Inspect({&a});
    EXPECT_EQ(Names("Lines"), (std::vector<std::string>{"Font", "Items[3]", "Title"}));
    EXPECT_EQ(Names("Lines.Font"), (std::vector<std::string>{"Name", "Size"}));
    EXPECT_EQ(Row("Lines.Font.Name")->Value(), "Arial");
    EXPECT_EQ(Row("Lines.Title")->Value(), "Hi");
    EXPECT_EQ(Row("Lines.Items[3]")->Value(), "plain");
    EXPECT_EQ(Row("Lines.Font")->Value(), "big") << "the row made for the path takes its line";

    Write("Lines.Font.Size", "10");
    Write("Lines.Title", "a=b");
    EXPECT_EQ(a.Lines.Get(2), "Font.Size=10");
    EXPECT_EQ(a.Lines.Get(1), "Title=a=b");
    Flush();
    EXPECT_EQ(Row("Lines.Title")->Value(), "a=b");
    EXPECT_EQ(Row("Lines.Font.Size")->Value(), "10");

    // A leading name without a line of its own appends one.
    a.Lines.SetStrings({"Font.Name=Arial"});
    I().RequestRebuild();
    Flush();
    Write("Lines.Font", "bold");
    EXPECT_EQ(a.Lines.Strings(), (std::vector<std::string>{"Font.Name=Arial", "Font=bold"}));
}

TEST_F(StringLinesTest, SeveralObjectsShareLinesOnlyWhenTheCountsAgree)
{
    a.Lines.SetStrings({"Mode=fast", "same", "x"});
    b.Lines.SetStrings({"Mode=slow", "same"});
    I().SetInplaceTStringsOptions(InplaceOption(isUseNameValue));
    Inspect({&a, &b});
    EXPECT_EQ(Names("Lines"), std::vector<std::string>{}) << "differing line counts";

    b.Lines.SetStrings({"Mode=slow", "same", "Key=x"});
    I().RequestRebuild();
    Flush();
    EXPECT_EQ(Names("Lines"), (std::vector<std::string>{"Mode", "Items[1]", "Items[2]"}))
        << "a line is a name/value row only when every object's line has that name";
    ASSERT_NE(Row("Lines.Mode"), nullptr);
    EXPECT_FALSE(Row("Lines.Mode")->IsAllEqual());
    EXPECT_TRUE(Row("Lines.Items[1]")->IsAllEqual());

    Write("Lines.Mode", "off");
    EXPECT_EQ(a.Lines.Get(0), "Mode=off");
    EXPECT_EQ(b.Lines.Get(0), "Mode=off");
    Flush();
    EXPECT_TRUE(Row("Lines.Mode")->IsAllEqual());

    // One column per object: the list rows never count as equal, so their
    // lines are not listed.
    I().SetDisplayOptions(I().DisplayOptions() | doMultiColValues);
    Flush();
    EXPECT_EQ(Names("Lines"), std::vector<std::string>{});
}

} // namespace
