#include "support/FileDialogDriver.h"
#include "support/HookGuard.h"

#include "controls/Colors.h"
#include "controls/ControlsFactory.h"
#include "controls/Font.h"
#include "controls/LXDesigned.h"
#include "controls/LXLabel.h"
#include "controls/Picture.h"
#include "controls/Strings.h"
#include "controls/published/DesignerTypes.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "inspector/RSPropertyPreset.h"
#include "inspector/RSPropertyPresets.h"
#include "presets/RSPresetDialogs.h"
#include "presets/RSPresetSupport.h"
#include "propgrid/RSInplaceEditList.h"
#include "propgrid/RSStringList.h"
#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The description tables below name only the fields they need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace
{

// An object with date, time and file-name properties, which no designed
// control has.
struct Schedule : TPersistent {
    double Day = 45000;
    double At = 0.5;
    double Stamp = 45000.25;
    std::string FileName = "old.txt";
};

// Stands for a value-list or item-list editor: a class below the item-list
// editor's name with a Strings property.
struct ItemList : TPersistent {
    TStrings Strings;
};

// A component with a collection, list items and tree nodes.
struct ListView : TPersistent {
    bool IsComponent() const override { return true; }
    std::string ComponentName() const override { return "List1"; }
    TCollection Columns{nullptr, typeid(TCollectionItem),
                        [](TCollection *c) { return new TCollectionItem(c); }};
    TPersistent Items, Nodes;
};

TTypeInfo DateType{tkFloat, "TDate"};
TTypeInfo TimeType{tkFloat, "TTime"};
TTypeInfo DateTimeType{tkFloat, "TDateTime"};
TTypeInfo TextType{tkLString, "String"};

TPropInfo FloatProp(const char *name, const TTypeInfo *type, double Schedule::*field)
{
    return {name, type,
            [field](TPersistent *o) { return TVariant(static_cast<Schedule *>(o)->*field); },
            [field](TPersistent *o, const TVariant &v) {
                static_cast<Schedule *>(o)->*field = v.AsDouble();
            }};
}

TClassInfo ScheduleClass{
    "TSchedule",
    nullptr,
    {FloatProp("Day", &DateType, &Schedule::Day),
     FloatProp("At", &TimeType, &Schedule::At),
     FloatProp("Stamp", &DateTimeType, &Schedule::Stamp),
     {"FileName", &TextType,
      [](TPersistent *o) { return TVariant(static_cast<Schedule *>(o)->FileName); },
      [](TPersistent *o, const TVariant &v) {
          static_cast<Schedule *>(o)->FileName = v.AsString();
      }}}};
TTypeInfo CollectionType{tkClass, "TCollection"};
TTypeInfo ListItemsType{tkClass, "TListItems"};
TTypeInfo TreeNodesType{tkClass, "TTreeNodes"};
TPropInfo ObjectProp(const char *name, const TTypeInfo *type, TPersistent *(*get)(ListView &))
{
    return {name, type,
            [get](TPersistent *o) { return TVariant(get(*static_cast<ListView *>(o))); }};
}
TClassInfo ListViewClass{
    "TListView",
    nullptr,
    {ObjectProp("Columns", &CollectionType,
                [](ListView &v) -> TPersistent * { return &v.Columns; }),
     ObjectProp("Items", &ListItemsType, [](ListView &v) { return &v.Items; }),
     ObjectProp("Nodes", &TreeNodesType, [](ListView &v) { return &v.Nodes; })}};
TClassInfo ItemListBase{"TRSCustomItemListEditor", nullptr, {}};
TClassInfo ItemListClass{
    "TRSItemListEditor",
    &ItemListBase,
    {{"Strings", &DesignerTypes().TStrings,
      [](TPersistent *o) {
          return TVariant(static_cast<TPersistent *>(&static_cast<ItemList *>(o)->Strings));
      },
      [](TPersistent *o, const TVariant &v) {
          if (auto *lines = dynamic_cast<TStrings *>(v.AsObject()))
              static_cast<ItemList *>(o)->Strings.Assign(*lines);
      }}}};

// Real rows of a real inspector bound to real designed controls, with the
// default presets every inspector holds.
class PresetFamilyTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        TypInfo::RegisterClass(typeid(Schedule), &ScheduleClass);
        TypInfo::RegisterClass(typeid(ItemList), &ItemListClass);
        TypInfo::RegisterClass(typeid(ListView), &ListViewClass);
    }
    void SetUp() override
    {
        // No design-time handler: designed controls keep their own visibility.
        CreateControlsFactory();
        view = new TRSObjectInspector(&window);
        view->setGeometry(0, 0, 300, 600);
    }

    QWidget *Create(const char *kind, const char *name)
    {
        QWidget *w = ControlsFactory->CreateControlByName(kind, &window);
        AsDesigned(w)->SetName(name);
        return w;
    }
    void Inspect(TPersistent *object)
    {
        view->SetComponent(object);
        view->Rebuild();
    }
    TRSCustomObjectInspector &I() { return *view->Inspector(); }
    TRSItemProperty *Row(const std::string &path)
    {
        auto *row = static_cast<TRSItemProperty *>(I().Items()->FindPath(path));
        EXPECT_NE(row, nullptr) << path;
        return row;
    }
    // Writes a text as the grid does after editing, then lets the refresh run.
    void Write(const std::string &path, const std::string &text)
    {
        TRSItemProperty *row = Row(path);
        row->SetValue(text);
        try {
            row->Validate();
        } catch (...) {
            QCoreApplication::sendPostedEvents();
            throw;
        }
        QCoreApplication::sendPostedEvents();
    }
    std::string WriteError(const std::string &path, const std::string &text)
    {
        try {
            Write(path, text);
        } catch (const std::exception &e) {
            return e.what();
        }
        return "(no error)";
    }
    std::vector<std::string> PickList(const std::string &path)
    {
        TRSStringList list;
        if (TRSStringList *own = Row(path)->GetPickList())
            list.Assign(*own);
        if (Row(path)->OnGetPickList)
            Row(path)->OnGetPickList(Row(path), path, &list);
        return list.Lines();
    }
    void Click(const std::string &path)
    {
        TRSItemProperty *row = Row(path);
        ASSERT_EQ(row->EditStyle(), esEllipsis) << path;
        ASSERT_TRUE(row->OnEditButtonClick) << path;
        row->OnEditButtonClick(row);
        QCoreApplication::sendPostedEvents();
    }

    QWidget window;
    TRSObjectInspector *view = nullptr;
    // The tests replace dialogs of their own; all come back at the end.
    const THookGuard dialogs{PresetDialogs()};
    std::string error;
    const THookGuard input{TRSItemListView::ErrorHandler, TRSItemListView::SetErrorHandler,
                           [this](const std::exception &e) { error = e.what(); }};
};

TEST_F(PresetFamilyTest, ColoursAreShownAndWrittenByName)
{
    TLXDesigned *label = AsDesigned(Create("Label", "Label1"));
    Inspect(label);
    EXPECT_EQ(Row("Font.Color")->Value(), "clWindowText");
    const std::vector<std::string> names = PickList("Color");
    ASSERT_EQ(names.size(), 52u);
    EXPECT_EQ(names.front(), "clBlack");
    EXPECT_EQ(names.back(), "clWindowText");
    EXPECT_EQ(Row("Color")->EditStyle(), esPickList);

    label->SetColor(0x0000FF);
    I().RefreshAll();
    EXPECT_EQ(Row("Color")->Value(), "clRed");
    label->SetColor(0x00123456);
    I().RefreshAll();
    EXPECT_EQ(Row("Color")->Value(), "$00123456");

    Write("Color", "clbtnface");
    EXPECT_EQ(label->Color(), clBtnFace);
    EXPECT_EQ(Row("Color")->Value(), "clBtnFace");
    Write("Color", "$FF");
    EXPECT_EQ(label->Color(), 255);
    EXPECT_EQ(Row("Color")->Value(), "clRed");
    Write("Color", "-16777211");
    EXPECT_EQ(Row("Color")->Value(), "clWindow");

    EXPECT_EQ(WriteError("Color", "bluish"), "'bluish' is not a valid integer value");
    EXPECT_EQ(label->Color(), clWindow);
    // Beyond 32 bits a colour is refused, not wrapped to another colour.
    EXPECT_EQ(WriteError("Color", "4294967296"), "'4294967296' is not a valid integer value");
    EXPECT_EQ(WriteError("Color", "-2147483649"), "'-2147483649' is not a valid integer value");
    EXPECT_EQ(label->Color(), clWindow);
}

TEST_F(PresetFamilyTest, CursorsAreShownByTheirFirstNameAndTheOldNameIsOnlyAccepted)
{
    TLXDesigned *button = AsDesigned(Create("Button", "Button1"));
    Inspect(button);
    const std::vector<std::string> names = PickList("Cursor");
    EXPECT_EQ(names.size(), 21u);
    EXPECT_EQ(std::count(names.begin(), names.end(), "crSize"), 0);
    EXPECT_EQ(names.back(), "crSizeAll");
    EXPECT_EQ(Row("Cursor")->Value(), "crDefault");

    Write("Cursor", "crSize");
    EXPECT_EQ(button->Cursor(), -22);
    EXPECT_EQ(Row("Cursor")->Value(), "crSizeAll");
    Write("Cursor", "CRHANDPOINT");
    EXPECT_EQ(button->Cursor(), -21);
    Write("Cursor", "-5");
    EXPECT_EQ(Row("Cursor")->Value(), "-5");
    Write("Cursor", "$10");
    EXPECT_EQ(button->Cursor(), 16);
    EXPECT_EQ(WriteError("Cursor", "crWait"), "'crWait' is not a valid integer value");
    EXPECT_EQ(button->Cursor(), 16);
    EXPECT_EQ(WriteError("Cursor", "32768"), "Range check error");
    EXPECT_EQ(WriteError("Cursor", "-32769"), "Range check error");
    EXPECT_EQ(WriteError("Cursor", "4294967296"), "'4294967296' is not a valid integer value");
    EXPECT_EQ(button->Cursor(), 16);
    Write("Cursor", "-32768");
    EXPECT_EQ(button->Cursor(), -32768);
}

TEST_F(PresetFamilyTest, ModalResultsAreChosenByNameAndOtherTextsWriteNothing)
{
    TLXDesigned *button = AsDesigned(Create("Button", "Button1"));
    Inspect(button);
    EXPECT_EQ(
        PickList("ModalResult"),
        (std::vector<std::string>{"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore",
                                  "mrYes", "mrNo", "mrAll", "mrNoToAll", "mrYesToAll"}));
    EXPECT_EQ(Row("ModalResult")->Value(), "mrNone");
    Write("ModalResult", "mrCancel");
    EXPECT_EQ(TypInfo::GetOrdProp(button, "ModalResult"), 2);
    Write("ModalResult", "Cancel");
    EXPECT_EQ(TypInfo::GetOrdProp(button, "ModalResult"), 2);
    EXPECT_EQ(Row("ModalResult")->Value(), "mrCancel");
    Write("ModalResult", "MRYESTOALL");
    EXPECT_EQ(TypInfo::GetOrdProp(button, "ModalResult"), 10);
}

TEST_F(PresetFamilyTest, FontNamesComeFromTheSystemAndTheFontRowOpensTheFontDialog)
{
    TLXDesigned *button = AsDesigned(Create("Button", "Button1"));
    Inspect(button);
    EXPECT_EQ(Row("Font.Name")->EditStyle(), esPickList);
    std::vector<std::string> installed;
    for (const QString &family : QFontDatabase::families())
        installed.push_back(family.toStdString());
    EXPECT_EQ(PickList("Font.Name"), installed);

    EXPECT_TRUE(Row("Font")->GetReadOnly());
    std::string shown;
    PresetDialogs().FontDialog = [&](TFont &font) {
        shown = font.Name();
        font.SetSize(20);
        font.SetStyle(1u << fsBold);
        return true;
    };
    Click("Font");
    EXPECT_EQ(shown, button->Font()->Name());
    EXPECT_EQ(button->Font()->Size(), 20);
    EXPECT_EQ(Row("Font.Style")->Value(), "[fsBold]");

    // Cancelled: nothing changes.
    PresetDialogs().FontDialog = [](TFont &font) {
        font.SetSize(5);
        return false;
    };
    Click("Font");
    EXPECT_EQ(button->Font()->Size(), 20);
}

TEST_F(PresetFamilyTest, StringListsOpenTheEditorInTheViewsTheirPresetsOffer)
{
    TLXDesigned *memo = AsDesigned(Create("Memo", "Memo1"));
    Inspect(memo);
    std::vector<bool> offered;
    std::vector<std::string> received;
    std::optional<std::vector<std::string>> answer = std::vector<std::string>{"one", "two"};
    PresetDialogs().StringsEditor = [&](const std::vector<std::string> &lines, bool ini,
                                        bool plain) {
        received = lines;
        offered = {ini, plain};
        return answer;
    };
    Click("Lines");
    EXPECT_EQ(offered, (std::vector<bool>{false, true}));
    auto *lines = static_cast<TStrings *>(TypInfo::GetObjectProp(memo, "Lines"));
    EXPECT_EQ(lines->Strings(), (std::vector<std::string>{"one", "two"}));
    answer.reset();
    Click("Lines");
    EXPECT_EQ(received, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(lines->Count(), 2);

    // The Strings of an item-list editor: the general preset matches first,
    // the INI preset after it and wins.
    ItemList list;
    list.Strings.SetStrings({"a=1"});
    Inspect(&list);
    answer = std::vector<std::string>{"a=2", "b=3"};
    Click("Strings");
    EXPECT_EQ(offered, (std::vector<bool>{true, false}));
    EXPECT_EQ(received, std::vector<std::string>{"a=1"});
    EXPECT_EQ(list.Strings.Strings(), (std::vector<std::string>{"a=2", "b=3"}));
}

TEST_F(PresetFamilyTest, APictureIsLoadedFromTheChosenFileAndAFileThatIsNoPictureChangesNothing)
{
    TLXDesigned *image = AsDesigned(Create("Image", "Image1"));
    Inspect(image);
    QTemporaryDir dir;
    const QString good = dir.filePath("dot.bmp");
    QImage(3, 2, QImage::Format_RGB32).save(good);
    const QString bad = dir.filePath("text.bmp");
    {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("no picture at all");
    }
    QString chosen = good;
    PresetDialogs().OpenPictureDialog = [&]() -> std::optional<QString> { return chosen; };
    Click("Picture");
    auto *picture = static_cast<TPicture *>(TypInfo::GetObjectProp(image, "Picture"));
    EXPECT_EQ(picture->Width(), 3);

    chosen = bad;
    try {
        Click("Picture");
        ADD_FAILURE() << "a text file loaded as a picture";
    } catch (const std::exception &e) {
        EXPECT_NE(
            std::string(e.what()).find("Cannot load the picture \"" + chosen.toStdString() + "\""),
            std::string::npos)
            << e.what();
    }
    EXPECT_EQ(picture->Width(), 3);
    EXPECT_EQ(picture->Height(), 2);
}

TEST_F(PresetFamilyTest, APictureLoadsFromAFolderTheCodePageCannotName)
{
    TLXDesigned *image = AsDesigned(Create("Image", "Image1"));
    Inspect(image);
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).filePath(QString::fromUtf8("\u56fe\u7247"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QImage(5, 2, QImage::Format_RGB32).save(QDir(folder).filePath("wide.bmp"));
    // The program's own picture dialog, answered through its name box.
    AnswerFileDialog(folder, QStringLiteral("wide.bmp"));
    EXPECT_NO_THROW(Click("Picture"));
    EXPECT_EQ(static_cast<TPicture *>(TypInfo::GetObjectProp(image, "Picture"))->Width(), 5);
}

TEST_F(PresetFamilyTest, ComponentReferencesAreChosenFromTheWindowsComponents)
{
    TLXDesigned *label = AsDesigned(Create("Label", "Label1"));
    TLXDesigned *edit = AsDesigned(Create("EditBox", "Edit1"));
    Inspect(label);
    EXPECT_EQ(Row("FocusControl")->EditStyle(), esPickList);
    EXPECT_EQ(Row("FocusControl")->Font().Color(), 0x800000u);
    const std::vector<std::string> names = PickList("FocusControl");
    EXPECT_NE(std::find(names.begin(), names.end(), "Edit1"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Label1"), names.end());

    Write("FocusControl", "edit1");
    EXPECT_EQ(static_cast<QLabel *>(label->Widget())->buddy(), edit->Widget());
    // The referenced control's rows are listed under it, in green.
    EXPECT_EQ(Row("FocusControl")->Value(), "Edit1");
    ASSERT_NE(I().Items()->FindPath("FocusControl.Width"), nullptr);
    EXPECT_EQ(Row("FocusControl.Width")->Font().Color(), 0x008000u);
    EXPECT_NE(Row("Width")->Font().Color(), 0x008000u);

    Write("FocusControl", "NoSuchControl");
    EXPECT_EQ(dynamic_cast<TLXLabel *>(label)->FocusControl(), nullptr);

    // The order is the order the controls were made in, whatever their
    // stacking order.
    Create("EditBox", "Edit2");
    const auto at = [](const std::vector<std::string> &list, const char *name) {
        return std::find(list.begin(), list.end(), name) - list.begin();
    };
    const std::vector<std::string> before = PickList("FocusControl");
    ASSERT_LT(at(before, "Edit1"), at(before, "Edit2"));
    edit->Widget()->raise();
    const std::vector<std::string> after = PickList("FocusControl");
    EXPECT_EQ(after, before);
}

TEST_F(PresetFamilyTest, DatesAndTimesUseTheLocaleFormatsAndRefuseWhatDoesNotParse)
{
    using namespace RSPresetSupport;
    Schedule s;
    Inspect(&s);
    EXPECT_EQ(Row("Day")->Value(), DateText(45000));
    EXPECT_EQ(Row("Day")->EditMask(), "!90/00/0000;1;_");
    EXPECT_EQ(Row("Day")->EditStyle(), esEllipsis);
    EXPECT_EQ(Row("At")->Value(), TimeText(0.5));
    EXPECT_EQ(Row("At")->EditMask(), "!90:00:00 >LL;1;_");
    EXPECT_EQ(Row("Stamp")->Value(), DateTimeText(45000.25));

    Write("Day", DateText(45123));
    EXPECT_EQ(s.Day, 45123);
    Write("At", TimeText(0.75));
    EXPECT_DOUBLE_EQ(s.At, 0.75);
    Write("Stamp", DateTimeText(44000.5));
    EXPECT_DOUBLE_EQ(s.Stamp, 44000.5);

    EXPECT_EQ(WriteError("Day", "someday"), "'someday' is not a valid date");
    EXPECT_EQ(WriteError("At", "noonish"), "'noonish' is not a valid time");
    EXPECT_EQ(WriteError("Stamp", "later"), "'later' is not a valid date and time");
    EXPECT_EQ(s.Day, 45123);
    EXPECT_DOUBLE_EQ(s.At, 0.75);
    EXPECT_DOUBLE_EQ(s.Stamp, 44000.5);

    // The date editor: a date replaces the value, a date and time keeps its
    // time of day; only the date-and-time pop-up is kept on the screen.
    std::vector<bool> keptOnScreen;
    PresetDialogs().DateEditor = [&](const QDateTime &initial, const QPoint &,
                                     bool keepOnScreen) -> std::optional<QDateTime> {
        keptOnScreen.push_back(keepOnScreen);
        return initial.addDays(3);
    };
    Click("Day");
    EXPECT_EQ(s.Day, 45126);
    Click("Stamp");
    EXPECT_DOUBLE_EQ(s.Stamp, 44003.5);
    EXPECT_EQ(keptOnScreen, (std::vector<bool>{false, true}));
}

TEST_F(PresetFamilyTest, ADateTypedIntoTheEditorThatDoesNotParseIsRefusedWithTheRowsMessage)
{
    Schedule s;
    window.resize(400, 700);
    window.show();
    Inspect(&s);
    QCoreApplication::sendPostedEvents();
    const auto &shown = I().DisplayedRows();
    const auto at = std::find(shown.begin(), shown.end(), Row("Day"));
    ASSERT_NE(at, shown.end());
    const QRect cell = view->CellRect(1, I().FixedItems() + static_cast<int>(at - shown.begin()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QApplication::processEvents();
    TRSInplaceEditList *editor = view->Editor();
    ASSERT_TRUE(editor && editor->isVisible());
    editor->selectAll();
    QTest::keyClicks(editor, "99999999");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(error, "\"99/99/9999\" is not a valid TDate value: '99/99/9999' is not a valid date");
    EXPECT_EQ(s.Day, 45000);
}

TEST_F(PresetFamilyTest, APropertyNamedFilenameGetsTheFileDialog)
{
    Schedule s;
    Inspect(&s);
    std::string started;
    PresetDialogs().OpenFileDialog = [&](const TRSTFilenamePropertyPreset &,
                                         const std::string &name) -> std::optional<std::string> {
        started = name;
        return std::string("/tmp/new.txt");
    };
    Click("FileName");
    EXPECT_EQ(started, "old.txt");
    EXPECT_EQ(s.FileName, "/tmp/new.txt");
}

TEST_F(PresetFamilyTest, CollectionsListItemsAndTreeNodesGoToTheirEditors)
{
    ListView list;
    Inspect(&list);
    std::vector<std::string> opened;
    PresetDialogs().CollectionEditor = [&](TRSCustomObjectInspector *inspector,
                                           TCollection *collection, const std::string &caption) {
        EXPECT_EQ(inspector, &I());
        EXPECT_EQ(collection, &list.Columns);
        opened.push_back(caption);
    };
    PresetDialogs().ListItemsDialog = [&](TPersistent *owner) {
        EXPECT_EQ(owner, &list);
        opened.push_back("items");
    };
    PresetDialogs().TreeNodesDialog = [&](TPersistent *owner) {
        EXPECT_EQ(owner, &list);
        opened.push_back("nodes");
    };
    Click("Columns");
    Click("Items");
    Click("Nodes");
    EXPECT_EQ(opened, (std::vector<std::string>{"List1.Columns", "items", "nodes"}));
}

TEST_F(PresetFamilyTest, RowsAreMadeAgainWhenAPresetLeaves)
{
    TLXDesigned *label = AsDesigned(Create("Label", "Label1"));
    Inspect(label);
    EXPECT_EQ(Row("Color")->Value(), "clBtnFace");
    delete I().Presets().Item(3); // the colour preset
    EXPECT_EQ(I().Items()->Count(), 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Row("Color")->Value(), std::to_string(label->Color()));
    EXPECT_FALSE(Row("Color")->OnGetProperty);
}

} // namespace
