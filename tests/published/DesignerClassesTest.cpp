#include "controls/published/DesignerClasses.h"
#include "controls/Colors.h"
#include "controls/Font.h"
#include "controls/InplaceEdit.h"
#include "controls/LXButton.h"
#include "controls/LXCheckBox.h"
#include "controls/LXComboBox.h"
#include "controls/LXEditBox.h"
#include "controls/LXGroupBox.h"
#include "controls/LXImage.h"
#include "controls/LXLabel.h"
#include "controls/LXListBox.h"
#include "controls/LXMemo.h"
#include "controls/LXPanel.h"
#include "controls/LXRadioButton.h"
#include "controls/LXStringGrid.h"
#include "controls/SizeConstraints.h"
#include "controls/Strings.h"
#include "platform/Exception.h"
#include "reflection/StrUtils.h"
#include "reflection/TypInfo.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

using namespace TypInfo;

namespace
{

class DesignerClassesTest : public ::testing::Test
{
protected:
    template <class T> T *Make()
    {
        auto *control = new T(&FParent);
        return control;
    }

    static std::string Read(TPersistent *o, const char *name)
    {
        return ReadAsVariant(o, name, true).AsString();
    }

    static std::string ErrorOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const std::exception &e) {
            return e.what();
        }
        return "no error";
    }

    QWidget FParent;
};

// "Name:Type" of every published property, in listing order.
std::string Listing(const TClassInfo *info)
{
    std::string text;
    for (const TPropInfo *prop : ListPublishedProperties(info, tkAny))
        text += prop->Name + ":" + prop->PropType->Name + " ";
    return text;
}

// The expected listing: the names sorted without regard to case.
std::string Sorted(std::string pairs)
{
    std::istringstream in(pairs);
    std::vector<std::string> items;
    for (std::string item; in >> item;)
        items.push_back(item);
    std::sort(items.begin(), items.end(), [](const std::string &a, const std::string &b) {
        return StrUtils::CompareText(a.substr(0, a.find(':')), b.substr(0, b.find(':'))) < 0;
    });
    std::string text;
    for (const std::string &item : items)
        text += item + " ";
    return text;
}

const char *const kShared =
    "Anchors:TAnchors BiDiMode:TBiDiMode Comment:TStrings Constraints:TSizeConstraints "
    "Cursor:TCursor DragCursor:TCursor DragKind:TDragKind DragMode:TDragMode Enabled:Boolean "
    "Font:TFont Height:Integer HelpContext:THelpContext HelpKeyword:String HelpType:THelpType "
    "Hint:String Left:Integer Name:TComponentName ParentBiDiMode:Boolean ParentFont:Boolean "
    "ParentShowHint:Boolean PopupMenu:TPopupMenu ShowHint:Boolean TabOrder:TTabOrder "
    "TabStop:Boolean Tag:Integer Top:Integer Visible:Boolean Width:Integer ";

const char *const kBevels = "BevelEdges:TBevelEdges BevelInner:TBevelCut BevelKind:TBevelKind "
                            "BevelOuter:TBevelCut ";
const char *const kColor3D = "Color:TColor ParentColor:Boolean Ctl3D:Boolean ParentCtl3D:Boolean ";
const char *const kEdit =
    "AutoSelect:Boolean AutoSize:Boolean BorderStyle:TBorderStyle CharCase:TEditCharCase "
    "HideSelection:Boolean ImeMode:TImeMode ImeName:TImeName MaxLength:Integer "
    "OEMConvert:Boolean PasswordChar:Char ReadOnly:Boolean Text:TCaption ";

TEST_F(DesignerClassesTest, EveryKindListsExactlyItsPublishedPropertiesSorted)
{
    const std::string shared = kShared;
    const std::string bevels = kBevels;
    const std::string color3d = kColor3D;
    const std::vector<std::pair<const char *, std::string>> kinds = {
        {"TLXLabel", shared + bevels +
                         "Align:TAlign Alignment:TAlignment AutoSize:Boolean "
                         "BorderStyle:TStaticBorderStyle Caption:TCaption Color:TColor "
                         "FocusControl:TWinControl ParentColor:Boolean ShowAccelChar:Boolean "
                         "Transparent:Boolean"},
        {"TLXButton", shared + "Action:TBasicAction Cancel:Boolean Caption:TCaption "
                               "Default:Boolean ModalResult:TModalResult WordWrap:Boolean"},
        {"TLXEditBox", shared + bevels + color3d + kEdit},
        {"TInplaceEdit", shared + bevels + color3d + kEdit},
        {"TLXListBox", shared + bevels + color3d +
                           "Align:TAlign AutoComplete:Boolean BorderStyle:TBorderStyle "
                           "Columns:Integer ExtendedSelect:Boolean ImeMode:TImeMode "
                           "ImeName:TImeName IntegralHeight:Boolean ItemHeight:Integer "
                           "Items:TStrings MultiSelect:Boolean ScrollWidth:Integer "
                           "Sorted:Boolean Style:TListBoxStyle TabWidth:Integer"},
        {"TLXMemo", shared + bevels + color3d +
                        "Align:TAlign Alignment:TAlignment BorderStyle:TBorderStyle "
                        "HideSelection:Boolean ImeMode:TImeMode ImeName:TImeName "
                        "Lines:TStrings MaxLength:Integer OEMConvert:Boolean ReadOnly:Boolean "
                        "ScrollBars:TScrollStyle WantReturns:Boolean WantTabs:Boolean "
                        "WordWrap:Boolean"},
        {"TLXComboBox", shared + bevels + color3d +
                            "AutoCloseUp:Boolean AutoComplete:Boolean AutoDropDown:Boolean "
                            "CharCase:TEditCharCase DropDownCount:Integer ImeMode:TImeMode "
                            "ImeName:TImeName ItemHeight:Integer ItemIndex:Integer "
                            "Items:TStrings MaxLength:Integer Sorted:Boolean "
                            "Style:TComboBoxStyle Text:TCaption"},
        {"TLXCheckBox", shared + color3d +
                            "Action:TBasicAction Alignment:TLeftRight AllowGrayed:Boolean "
                            "Caption:TCaption Checked:Boolean State:TCheckBoxState "
                            "WordWrap:Boolean"},
        {"TLXRadioButton", shared + color3d +
                               "Action:TBasicAction Alignment:TLeftRight Caption:TCaption "
                               "Checked:Boolean WordWrap:Boolean"},
        {"TLXPanel", shared + color3d +
                         "Align:TAlign Alignment:TAlignment AutoSize:Boolean "
                         "BevelInner:TBevelCut BevelOuter:TBevelCut BevelWidth:TBevelWidth "
                         "BorderStyle:TBorderStyle BorderWidth:TBorderWidth Caption:TCaption "
                         "DockSite:Boolean FullRepaint:Boolean Locked:Boolean "
                         "ParentBackground:Boolean UseDockManager:Boolean"},
        {"TLXGroupBox", shared + color3d +
                            "Align:TAlign Caption:TCaption DockSite:Boolean "
                            "ParentBackground:Boolean"},
        {"TLXStringGrid", shared + color3d +
                              "Align:TAlign BorderStyle:TBorderStyle ColCount:Integer "
                              "ControlStatus:TControlStatus DefaultColWidth:Integer "
                              "DefaultDrawing:Boolean DefaultRowHeight:Integer "
                              "FixedColor:TColor FixedCols:Integer FixedRows:Integer "
                              "GridLineWidth:Integer Options:TGridOptions RowCount:Integer "
                              "ScrollBars:TScrollStyle VisibleColCount:Integer "
                              "VisibleRowCount:Integer"},
        {"TLXImage", "Align:TAlign AutoSize:Boolean Comment:TStrings Cursor:TCursor "
                     "Height:Integer HelpContext:THelpContext HelpKeyword:String "
                     "HelpType:THelpType Hint:String Left:Integer Name:TComponentName "
                     "Picture:TPicture Proportional:Boolean Stretch:Boolean Tag:Integer "
                     "Top:Integer Transparent:Boolean Visible:Boolean Width:Integer"},
        {"TFont", "Charset:TFontCharset Color:TColor Height:Integer Name:TFontName "
                  "Pitch:TFontPitch Size:Integer Style:TFontStyles"},
        {"TSizeConstraints", "MaxHeight:TConstraintSize MaxWidth:TConstraintSize "
                             "MinHeight:TConstraintSize MinWidth:TConstraintSize"},
        {"TStrings", ""},
        {"TPicture", ""},
    };
    for (const auto &[name, expected] : kinds) {
        const TClassInfo *info = FindRegisteredClass(name);
        ASSERT_NE(info, nullptr) << name;
        EXPECT_EQ(Listing(info), Sorted(expected)) << name;
    }
    EXPECT_EQ(ListPublishedProperties(FindRegisteredClass("TLXImage"), tkAny).size(), 19u);
    EXPECT_EQ(ClassAncestry(FindRegisteredClass("tlxbutton")),
              (std::vector<std::string>{"TLXButton", "TWinControl", "TControl", "TComponent",
                                        "TPersistent"}));
}

TEST_F(DesignerClassesTest, EveryKindObjectIsDescribedAndEveryPropertyReads)
{
    std::vector<TPersistent *> objects = {
        Make<TLXLabel>(),    Make<TLXButton>(),   Make<TLXEditBox>(),  Make<TLXListBox>(),
        Make<TLXMemo>(),     Make<TLXComboBox>(), Make<TLXCheckBox>(), Make<TLXRadioButton>(),
        Make<TLXPanel>(),    Make<TLXGroupBox>(), Make<TLXImage>(),    Make<TLXStringGrid>(),
        Make<TInplaceEdit>()};
    for (TPersistent *o : objects) {
        const TClassInfo *info = ClassInfoOf(o);
        ASSERT_NE(info, nullptr);
        for (const TPropInfo *prop : ListPublishedProperties(info, tkAny))
            EXPECT_NO_THROW(ReadAsVariant(o, prop->Name, true)) << info->Name << "." << prop->Name;
    }
}

TEST_F(DesignerClassesTest, DeclaredDefaults)
{
    const TClassInfo *edit = FindRegisteredClass("TLXEditBox");
    auto def = [&](const char *name) {
        const TPropInfo *p = edit->Find(name);
        return p->HasDefault ? std::to_string(p->Default) : std::string("none");
    };
    EXPECT_EQ(def("Visible"), "1");
    EXPECT_EQ(def("Enabled"), "1");
    EXPECT_EQ(def("ParentFont"), "1");
    EXPECT_EQ(def("TabStop"), "1");
    EXPECT_EQ(def("Left"), "none");
    EXPECT_EQ(def("Width"), "none");
    EXPECT_EQ(def("Text"), "none");
    EXPECT_EQ(def("CharCase"), "0");
    EXPECT_EQ(FindRegisteredClass("TLXLabel")->Find("TabStop")->Default, 0);
    EXPECT_FALSE(FindRegisteredClass("TLXStringGrid")->Find("ControlStatus")->HasDefault);

    // A fresh control reads its declared defaults.
    TPersistent *edits[] = {Make<TLXEditBox>(), Make<TLXButton>(), Make<TLXStringGrid>()};
    for (TPersistent *o : edits) {
        for (const TPropInfo *prop : ListPublishedProperties(ClassInfoOf(o), tkAny)) {
            if (prop->HasDefault && prop->Name != "TabOrder") {
                EXPECT_EQ(prop->Get(o).AsInt64(), prop->Default)
                    << ClassInfoOf(o)->Name << "." << prop->Name;
            }
        }
    }
}

TEST_F(DesignerClassesTest, ValuesRoundTripThroughVariantsAndTexts)
{
    auto *button = Make<TLXButton>();
    WriteFromVariant(button, "Width", "12.7");
    EXPECT_EQ(button->width(), 12);
    WriteFromVariant(button, "Left", 40);
    WriteFromVariant(button, "Top", "-5");
    EXPECT_EQ(button->pos(), QPoint(40, -5));
    EXPECT_EQ(ReadAsVariant(button, "Left", false), TVariant(40));
    WriteFromVariant(button, "Caption", "OK \xC4\xE0");
    EXPECT_EQ(button->text(), QString::fromUtf8("OK Да"));
    EXPECT_EQ(Read(button, "Caption"), "OK \xC4\xE0");
    WriteFromVariant(button, "Visible", "False");
    EXPECT_TRUE(button->isHidden());
    EXPECT_EQ(Read(button, "Visible"), "False");
    WriteFromVariant(button, "Enabled", false);
    EXPECT_FALSE(button->isEnabled());
    WriteFromVariant(button, "Cursor", -21);
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
    WriteFromVariant(button, "Hint", "Press me");
    EXPECT_TRUE(button->toolTip().isEmpty());
    WriteFromVariant(button, "ShowHint", true);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Press me"));
    EXPECT_EQ(Read(button, "ParentShowHint"), "False");
    WriteFromVariant(button, "Tag", "-7");
    WriteFromVariant(button, "ModalResult", 2);
    WriteFromVariant(button, "Anchors", "[akRight, akBottom]");
    WriteFromVariant(button, "Default", true);
    EXPECT_TRUE(button->isDefault());
    EXPECT_EQ(Read(button, "Tag"), "-7");
    EXPECT_EQ(Read(button, "ModalResult"), "2");
    EXPECT_EQ(Read(button, "Anchors"), "akRight,akBottom");
    EXPECT_EQ(GetSetProp(button, "Anchors", true), "[akRight,akBottom]");

    const TTypeInfo *align = FindRegisteredClass("TLXLabel")->Find("Align")->PropType;
    EXPECT_EQ(EnumValueOf(align, "ALCLIENT"), 5);
    EXPECT_EQ(EnumValueOf(align, "Middle"), -1);
    const TTypeInfo *leftRight = FindRegisteredClass("TLXCheckBox")->Find("Alignment")->PropType;
    EXPECT_EQ(EnumValueOf(leftRight, "taCenter"), -1);
    EXPECT_EQ(EnumValueOf(leftRight, "taRightJustify"), 1);
}

TEST_F(DesignerClassesTest, RangesAndRefusedValues)
{
    auto *edit = Make<TLXEditBox>();
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(edit, "PasswordChar", "300"); }), "Range check error");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(edit->Font(), "Charset", "300"); }),
              "Range check error");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(edit, "TabOrder", -2); }), "Range check error");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(edit, "Cursor", 40000); }), "Range check error");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(edit, "CharCase", "ecTitle"); }),
              "Invalid property element: ecTitle");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(edit, "Width", "abc"); }),
              "Could not convert variant of type (String) into type (Double)");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(edit, "Colour", 1); }),
              "Property Colour does not exist");
    auto *grid = Make<TLXStringGrid>();
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(grid, "VisibleColCount", 3); }),
              "Invalid property type: Integer");
    auto *image = Make<TLXImage>();
    EXPECT_FALSE(FindPublishedProperty(image, "Picture")->HasWriter());
    EXPECT_EQ(GetObjectProp(image, "Picture"), &image->Picture());
    EXPECT_EQ(GetObjectPropClass(image, "Picture")->Name, "TPicture");
}

TEST_F(DesignerClassesTest, NameIsCheckedAndTheCaptionFollowsIt)
{
    auto *label = Make<TLXLabel>();
    auto *other = Make<TLXButton>();
    WriteFromVariant(label, "Name", "Control3");
    EXPECT_EQ(label->objectName(), QStringLiteral("Control3"));
    EXPECT_EQ(Read(label, "Caption"), "Control3");
    WriteFromVariant(label, "Caption", "Own text");
    WriteFromVariant(label, "Name", "Control4");
    EXPECT_EQ(Read(label, "Caption"), "Own text");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(other, "Name", "1st"); }),
              "'1st' is not a valid component name");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(other, "Name", "a b"); }),
              "'a b' is not a valid component name");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(other, "Name", "CONTROL4"); }),
              "A component named CONTROL4 already exists");
    EXPECT_TRUE(other->objectName().isEmpty());
    WriteFromVariant(label, "Name", "control4");
    EXPECT_EQ(Read(label, "Name"), "control4");
}

TEST_F(DesignerClassesTest, FontAppliesItselfAndTiesHeightToSize)
{
    FParent.setFont(QFont(QStringLiteral("Courier"), 14));
    auto *label = Make<TLXLabel>();
    auto *font = static_cast<TFont *>(GetObjectProp(label, "Font"));
    EXPECT_EQ(Read(label, "ParentFont"), "True");
    EXPECT_EQ(font->Size(), 14);

    WriteFromVariant(font, "Style", "[fsBold,fsItalic]");
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(label->font().italic());
    EXPECT_EQ(GetSetProp(font, "Style", true), "[fsBold,fsItalic]");
    EXPECT_EQ(Read(label, "ParentFont"), "False");
    WriteFromVariant(font, "Style", " fsitalic fsbold");
    EXPECT_EQ(GetSetProp(font, "Style", true), "[fsBold,fsItalic]");
    WriteFromVariant(font, "Style", "");
    EXPECT_EQ(GetSetProp(font, "Style", true), "[]");

    WriteFromVariant(font, "Size", 12);
    EXPECT_EQ(label->font().pointSize(), 12);
    EXPECT_EQ(Read(font, "Height"), "-16");
    WriteFromVariant(font, "Height", -11);
    EXPECT_EQ(Read(font, "Size"), "8");
    WriteFromVariant(font, "Name", "Sans");
    EXPECT_EQ(label->font().family(), QStringLiteral("Sans"));
    WriteFromVariant(font, "Color", 0x0000FF);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    WriteFromVariant(font, "Pitch", "fpFixed");
    EXPECT_TRUE(label->font().fixedPitch());

    WriteFromVariant(label, "ParentFont", true);
    EXPECT_EQ(font->Size(), 14);
    EXPECT_FALSE(label->font().bold());
    EXPECT_EQ(font->Color(), clWindowText);
    EXPECT_EQ(label->palette().color(QPalette::WindowText),
              FParent.palette().color(QPalette::WindowText));

    // Assigning a font copies its values.
    auto *button = Make<TLXButton>();
    font->SetStyle(1u << fsUnderline);
    SetObjectProp(button, "Font", font);
    EXPECT_TRUE(button->font().underline());
    EXPECT_NE(GetObjectProp(button, "Font"), font);
}

TEST_F(DesignerClassesTest, StringListsStayInStepWithTheirWidgets)
{
    auto *list = Make<TLXListBox>();
    auto *items = static_cast<TStrings *>(GetObjectProp(list, "Items"));
    TStrings source;
    source.SetStrings({"pear", "apple"});
    SetObjectProp(list, "Items", &source);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("pear"));
    list->addItem(QStringLiteral("fig"));
    EXPECT_EQ(items->Strings(), (std::vector<std::string>{"pear", "apple", "fig"}));
    WriteFromVariant(list, "Sorted", true);
    EXPECT_EQ(items->Strings(), (std::vector<std::string>{"apple", "fig", "pear"}));
    items->Add("banana");
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("banana"));
    EXPECT_EQ(ErrorOf([&] { items->Get(9); }), "List index out of bounds (9)");

    auto *combo = Make<TLXComboBox>();
    static_cast<TStrings *>(GetObjectProp(combo, "Items"))->SetStrings({"one", "two"});
    WriteFromVariant(combo, "ItemIndex", 1);
    EXPECT_EQ(Read(combo, "Text"), "two");
    WriteFromVariant(combo, "ItemIndex", 7);
    EXPECT_EQ(Read(combo, "ItemIndex"), "-1");
    WriteFromVariant(combo, "Sorted", true);
    static_cast<TStrings *>(GetObjectProp(combo, "Items"))->Add("three");
    EXPECT_EQ(combo->itemText(1), QStringLiteral("three"));
    WriteFromVariant(combo, "Style", "csDropDownList");
    EXPECT_FALSE(combo->isEditable());
    WriteFromVariant(combo, "Style", "csDropDown");
    ASSERT_NE(combo->lineEdit(), nullptr);
    combo->lineEdit()->setText(QStringLiteral("typed"));
    EXPECT_EQ(Read(combo, "Text"), "typed");
    // A new box builds its drop-down list only when needed; the list is then
    // the one the toolkit gives its own editable boxes.
    auto *fresh = Make<TLXComboBox>();
    static_cast<TStrings *>(GetObjectProp(fresh, "Items"))->SetStrings({"a", "b"});
    QComboBox plain;
    plain.setEditable(true);
    EXPECT_STREQ(fresh->itemDelegate()->metaObject()->className(),
                 plain.itemDelegate()->metaObject()->className());
    EXPECT_EQ(fresh->view()->verticalScrollBarPolicy(), plain.view()->verticalScrollBarPolicy());
    EXPECT_EQ(fresh->focusPolicy(), plain.focusPolicy());
    EXPECT_EQ(fresh->view()->model()->rowCount(), 2);

    auto *memo = Make<TLXMemo>();
    auto *lines = static_cast<TStrings *>(GetObjectProp(memo, "Lines"));
    EXPECT_EQ(lines->Count(), 0);
    memo->setPlainText(QStringLiteral("a\nb"));
    EXPECT_EQ(lines->Strings(), (std::vector<std::string>{"a", "b"}));
    lines->Put(1, "c");
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("a\nc"));

    // The comment keeps its own copy of assigned lines.
    auto *button = Make<TLXButton>();
    SetObjectProp(button, "Comment", &source);
    source.Add("later");
    EXPECT_EQ(button->Comment(), QStringList({"pear", "apple"}));
}

TEST_F(DesignerClassesTest, ConstraintsAndKindSpecificEffects)
{
    auto *panel = Make<TLXPanel>();
    auto *limits = static_cast<TSizeConstraints *>(GetObjectProp(panel, "Constraints"));
    panel->resize(30, 30);
    WriteFromVariant(limits, "MinWidth", 50);
    EXPECT_EQ(panel->width(), 50);
    WriteFromVariant(limits, "MaxHeight", 20);
    EXPECT_EQ(panel->height(), 20);
    WriteFromVariant(panel, "Height", 100);
    EXPECT_EQ(panel->height(), 20);
    WriteFromVariant(limits, "MaxHeight", 0);
    WriteFromVariant(panel, "Height", 100);
    EXPECT_EQ(panel->height(), 100);
    // Border and bevels keep the content off the edges.
    EXPECT_EQ(panel->contentsRect(), panel->rect().adjusted(1, 1, -1, -1));
    WriteFromVariant(panel, "BevelInner", "bvLowered");
    WriteFromVariant(panel, "BorderWidth", 4);
    WriteFromVariant(panel, "BorderStyle", "bsSingle");
    EXPECT_EQ(panel->contentsRect(), panel->rect().adjusted(7, 7, -7, -7));
    WriteFromVariant(panel, "BevelWidth", 2000000000);
    EXPECT_EQ(Read(panel, "BevelWidth"), "2000000000");
    EXPECT_LE(panel->contentsMargins().left(), 205);
    EXPECT_FALSE(panel->grab().isNull());
    WriteFromVariant(panel, "Alignment", "taLeftJustify");
    EXPECT_EQ(panel->CaptionAlignment(), Qt::AlignLeft);

    auto *edit = Make<TLXEditBox>();
    edit->setText(QStringLiteral("Mixed"));
    WriteFromVariant(edit, "PasswordChar", 42);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    WriteFromVariant(edit, "CharCase", "ecUpperCase");
    EXPECT_EQ(edit->text(), QStringLiteral("MIXED"));
    QTest::keyClicks(edit, QStringLiteral("ab"));
    EXPECT_EQ(edit->text(), QStringLiteral("MIXEDAB"));
    WriteFromVariant(edit, "CharCase", "ecNormal");
    QTest::keyClicks(edit, QStringLiteral("c"));
    EXPECT_EQ(edit->text(), QStringLiteral("MIXEDABc"));
    WriteFromVariant(edit, "MaxLength", 3);
    EXPECT_EQ(edit->maxLength(), 3);
    WriteFromVariant(edit, "Color", 0x00FF00);
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(Read(edit, "ParentColor"), "False");

    auto *check = Make<TLXCheckBox>();
    WriteFromVariant(check, "State", "cbGrayed");
    EXPECT_EQ(check->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(Read(check, "AllowGrayed"), "False");
    WriteFromVariant(check, "Checked", true);
    EXPECT_EQ(Read(check, "State"), "cbChecked");

    auto *grid = Make<TLXStringGrid>();
    WriteFromVariant(grid, "ColCount", 8);
    WriteFromVariant(grid, "FixedCols", 2);
    WriteFromVariant(grid, "Options", "[goEditing,goTabs]");
    WriteFromVariant(grid, "ControlStatus", "csEdit");
    EXPECT_EQ(grid->columnCount(), 8);
    EXPECT_EQ(grid->FixedCols(), 2);
    EXPECT_EQ(grid->Options(), goEditing | goTabs);
    EXPECT_EQ(grid->ControlStatus(), csEdit);

    auto *label = Make<TLXLabel>();
    SetObjectProp(label, "FocusControl", edit);
    EXPECT_EQ(label->buddy(), edit);
    EXPECT_EQ(GetObjectProp(label, "FocusControl"), edit);
    auto *image = Make<TLXImage>();
    image->SetName(QStringLiteral("Image1"));
    EXPECT_EQ(ErrorOf([&] { SetObjectProp(label, "FocusControl", image); }),
              "\"Image1\" is not a valid property value");
    EXPECT_EQ(GetObjectProp(label, "FocusControl"), edit);
    EXPECT_EQ(ErrorOf([&] { SetObjectProp(label, "PopupMenu", edit); }).rfind("Invalid", 0), 0u);
}

} // namespace

namespace
{

TEST_F(DesignerClassesTest, AlignDocksAndAnchorsKeepDistances)
{
    // Resizes and moves reach the layout once the windows are shown; an
    // inner parent resizes at once.
    FParent.show();
    auto *host = new QWidget(&FParent);
    host->setGeometry(0, 0, 200, 100);
    host->show();
    auto *top = new TLXPanel(host);
    auto *left = new TLXListBox(host);
    auto *client = new TLXMemo(host);
    auto *corner = new TLXEditBox(host);
    for (QWidget *w : std::initializer_list<QWidget *>{top, left, client, corner})
        w->show();
    top->setGeometry(0, 50, 10, 20);
    left->setGeometry(0, 0, 30, 10);
    WriteFromVariant(top, "Align", "alTop");
    WriteFromVariant(left, "Align", "alLeft");
    WriteFromVariant(client, "Align", "alClient");
    EXPECT_EQ(top->geometry(), QRect(0, 0, 200, 20));
    EXPECT_EQ(left->geometry(), QRect(0, 20, 30, 80));
    EXPECT_EQ(client->geometry(), QRect(30, 20, 170, 80));

    corner->setGeometry(150, 70, 40, 20);
    WriteFromVariant(corner, "Anchors", "[akRight,akBottom]");
    host->resize(300, 150);
    EXPECT_EQ(top->geometry(), QRect(0, 0, 300, 20));
    EXPECT_EQ(client->geometry(), QRect(30, 20, 270, 130));
    EXPECT_EQ(corner->geometry(), QRect(250, 120, 40, 20));
    WriteFromVariant(corner, "Anchors", "[akLeft,akRight]");
    host->resize(400, 150);
    EXPECT_EQ(corner->geometry(), QRect(250, 120, 140, 20));

    // An aligned control the user moves goes back to its place.
    top->move(40, 40);
    EXPECT_EQ(top->geometry(), QRect(0, 0, 400, 20));
    WriteFromVariant(top, "Height", 30);
    EXPECT_EQ(client->geometry(), QRect(30, 30, 370, 120));

    // The parent knows which children it places; each change to them is
    // seen at once: a docked control coming in, one no longer docked, one
    // going away.
    auto *elsewhere = new QWidget(&FParent);
    auto *bottom = new TLXPanel(elsewhere);
    bottom->setGeometry(0, 0, 10, 25);
    WriteFromVariant(bottom, "Align", "alBottom");
    bottom->setParent(host);
    bottom->show();
    host->resize(400, 200);
    EXPECT_EQ(bottom->geometry(), QRect(0, 175, 400, 25));
    EXPECT_EQ(client->geometry(), QRect(30, 30, 370, 145));
    WriteFromVariant(left, "Align", "alNone");
    host->resize(500, 200);
    EXPECT_EQ(left->geometry(), QRect(0, 30, 30, 145)) << "a control no longer docked stays";
    EXPECT_EQ(client->geometry(), QRect(0, 30, 500, 145));
    delete top;
    EXPECT_EQ(client->geometry(), QRect(0, 0, 500, 175));
}

} // namespace

namespace
{

TEST_F(DesignerClassesTest, TabOrderMovesAControlAndTheOthersCloseUp)
{
    auto *a = Make<TLXButton>();
    auto *b = Make<TLXEditBox>();
    auto *c = Make<TLXCheckBox>();
    EXPECT_EQ(Read(c, "TabOrder"), "2");
    WriteFromVariant(c, "TabOrder", 0);
    EXPECT_EQ(Read(c, "TabOrder") + Read(a, "TabOrder") + Read(b, "TabOrder"), "012");
    std::vector<QWidget *> chain = {c};
    for (QWidget *w = c->nextInFocusChain(); w != c; w = w->nextInFocusChain())
        if (AsDesigned(w))
            chain.push_back(w);
    EXPECT_EQ(chain, (std::vector<QWidget *>{c, a, b}));
    WriteFromVariant(c, "TabOrder", -1);
    EXPECT_EQ(Read(a, "TabOrder") + Read(b, "TabOrder") + Read(c, "TabOrder"), "012");
    WriteFromVariant(a, "TabOrder", 99);
    EXPECT_EQ(Read(b, "TabOrder") + Read(c, "TabOrder") + Read(a, "TabOrder"), "012");
}

// Tab orders not set yet are places among the siblings; they follow the
// siblings as they are restacked, removed and added.
TEST_F(DesignerClassesTest, UnsetTabOrdersFollowTheSiblings)
{
    auto *a = Make<TLXButton>();
    auto *b = Make<TLXEditBox>();
    auto *c = Make<TLXCheckBox>();
    new QWidget(&FParent); // not a designed control: takes no place
    EXPECT_EQ(Read(a, "TabOrder") + Read(b, "TabOrder") + Read(c, "TabOrder"), "012");
    c->lower();
    EXPECT_EQ(Read(c, "TabOrder") + Read(a, "TabOrder") + Read(b, "TabOrder"), "012");
    delete a;
    auto *d = Make<TLXButton>();
    EXPECT_EQ(Read(c, "TabOrder") + Read(b, "TabOrder") + Read(d, "TabOrder"), "012");
    WriteFromVariant(d, "TabOrder", 0);
    EXPECT_EQ(Read(d, "TabOrder") + Read(c, "TabOrder") + Read(b, "TabOrder"), "012");
    auto *e = Make<TLXButton>();
    WriteFromVariant(e, "TabOrder", 99);
    EXPECT_EQ(Read(e, "TabOrder"), "3");
    WriteFromVariant(e, "TabOrder", 1);
    EXPECT_EQ(Read(d, "TabOrder") + Read(e, "TabOrder") + Read(c, "TabOrder") + Read(b, "TabOrder"),
              "0123");
}

// Places follow the stacking order past plain widgets, children that leave
// without being destroyed, and plain widgets that go away in between.
TEST_F(DesignerClassesTest, UnsetTabOrdersFollowChildrenThatMoveOrLeave)
{
    auto *a = Make<TLXButton>();
    auto *plain = new QWidget(&FParent);
    auto *b = Make<TLXEditBox>();
    auto *c = Make<TLXCheckBox>();
    EXPECT_EQ(Read(a, "TabOrder") + Read(b, "TabOrder") + Read(c, "TabOrder"), "012");
    plain->lower();
    EXPECT_EQ(Read(a, "TabOrder") + Read(b, "TabOrder") + Read(c, "TabOrder"), "012");
    plain->stackUnder(b);
    delete plain;
    auto *d = Make<TLXButton>();
    EXPECT_EQ(Read(a, "TabOrder") + Read(b, "TabOrder") + Read(c, "TabOrder") + Read(d, "TabOrder"),
              "0123");
    QWidget elsewhere;
    a->setParent(&elsewhere);
    EXPECT_EQ(Read(b, "TabOrder") + Read(c, "TabOrder") + Read(d, "TabOrder"), "012");
}

// Names stay unique among siblings however they change: renamed, replaced
// by a control made in the place of a destroyed one, or set directly.
TEST_F(DesignerClassesTest, SiblingNamesAreCheckedAsTheyChange)
{
    auto *a = Make<TLXButton>();
    auto *b = Make<TLXEditBox>();
    WriteFromVariant(a, "Name", "First");
    WriteFromVariant(b, "Name", "Second");
    WriteFromVariant(a, "Name", "FIRST");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(b, "Name", "first"); }),
              "A component named first already exists");
    a->SetName("Renamed");
    WriteFromVariant(b, "Name", "First");
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(b, "Name", "renamed"); }),
              "A component named renamed already exists");
    new QWidget(&FParent); // a plain widget's name does not count
    FParent.children().back()->setObjectName("Plain");
    WriteFromVariant(b, "Name", "Plain");
    for (int i = 0; i < 3; ++i) {
        delete a;
        a = Make<TLXButton>();
        EXPECT_EQ(ErrorOf([&] { WriteFromVariant(a, "Name", "Renamed"); }), "no error");
    }
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(b, "Name", "Renamed"); }),
              "A component named Renamed already exists");
}

TEST_F(DesignerClassesTest, OversizedValuesAreRefusedOrBounded)
{
    auto *grid = Make<TLXStringGrid>();
    EXPECT_EQ(ErrorOf([&] { WriteFromVariant(grid, "RowCount", 2000000000); }),
              "Grid too large for operation");
    EXPECT_EQ(grid->rowCount(), 5);
    auto *edit = Make<TLXEditBox>();
    const int before = edit->height();
    WriteFromVariant(edit->Font(), "Size", 30);
    EXPECT_GT(edit->height(), before);
    WriteFromVariant(edit->Font(), "Size", 1000000);
    EXPECT_EQ(edit->font().pointSize(), 1000);
}

} // namespace

namespace
{

TEST_F(DesignerClassesTest, ParentColorFollowsTheParentsColour)
{
    auto *panel = Make<TLXPanel>();
    auto *label = new TLXLabel(panel);
    auto *edit = new TLXEditBox(panel);
    WriteFromVariant(panel, "Color", 0x0000FF);
    EXPECT_EQ(label->palette().color(label->backgroundRole()), QColor(255, 0, 0));
    EXPECT_EQ(Read(label, "Color"), std::to_string(0x0000FF));
    EXPECT_EQ(Read(edit, "ParentColor"), "False");
    WriteFromVariant(edit, "ParentColor", true);
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 0, 0));
    WriteFromVariant(label, "Color", 0x00FF00);
    WriteFromVariant(panel, "Color", 0xFF0000);
    EXPECT_EQ(label->palette().color(label->backgroundRole()), QColor(0, 255, 0));
    EXPECT_EQ(Read(label, "ParentColor"), "False");
    EXPECT_TRUE(IsPropertyStored(label, "Color"));
    EXPECT_FALSE(IsPropertyStored(edit, "Color"));
    EXPECT_FALSE(IsPropertyStored(label, "Font"));
    // Its own font colour stays through colour changes.
    WriteFromVariant(label->Font(), "Color", 0x000080);
    EXPECT_TRUE(IsPropertyStored(label, "Font"));
    WriteFromVariant(label, "ParentColor", true);
    EXPECT_FALSE(IsPropertyStored(label, "Color"));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(label->palette().color(label->backgroundRole()), QColor(0, 0, 255));
}

} // namespace
