#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/NamedControl.h"
#include "support/TestPictures.h"

#include "controls/Bitmap.h"
#include "controls/Colors.h"
#include "controls/DropTarget.h"
#include "controls/Font.h"
#include "controls/LXDesigned.h"
#include "controls/LXImage.h"
#include "controls/LXListBox.h"
#include "controls/LXStringGrid.h"
#include "controls/Strings.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"
#include "platform/ErrorDisplay.h"
#include "reflection/TypInfo.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

class LayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        container = std::make_unique<TLXControlsContainer>(nullptr, inspector.get());
    }

    std::string Path(const char *name) const { return dir.filePath(name).toStdString(); }
    std::string Save(const char *name)
    {
        TXmlPersistance(container.get(), inspector.get()).Save(Path(name));
        QFile f(QString::fromStdString(Path(name)));
        f.open(QIODevice::ReadOnly);
        return f.readAll().toStdString();
    }
    void Load(const char *name)
    {
        TXmlPersistance(container.get(), inspector.get()).Load(Path(name));
    }
    void Write(const char *name, const std::string &text)
    {
        QFile f(QString::fromStdString(Path(name)));
        f.open(QIODevice::WriteOnly);
        f.write(text.data(), static_cast<qint64>(text.size()));
    }

    QTemporaryDir dir;
    const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
    std::unique_ptr<TLXControlsContainer> container;
    QStringList errors;
    const THookGuard display{ErrorDisplay::Show, [this](const QString &m) { errors.append(m); }};
};

TEST_F(LayoutTest, EmptyDesignAndALabelAreWrittenInTheNativeForm)
{
    EXPECT_EQ(Save("empty.xml"), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<root/>");

    QWidget *label = AddNamedControl("Label", container.get(), "Control1", {16, 8, 41, 17});
    AsDesigned(label)->SetText("Name:");
    label->resize(41, 17);
    TypInfo::WriteFromVariant(AsDesigned(label), "AutoSize", TVariant("False"));
    label->resize(41, 17);
    auto *comment = dynamic_cast<TStrings *>(TypInfo::GetObjectProp(AsDesigned(label), "Comment"));
    ASSERT_NE(comment, nullptr);
    comment->SetStrings({"first", "second"});
    const std::string text = Save("label.xml");
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<root>\r\n"
                         "\t<control type=\"Label\">\r\n",
                         0),
              0u);
    for (const char *line :
         {"\t\t<property name=\"Caption\" value=\"Name:\"/>\r\n",
          "\t\t<property name=\"Comment\" type=\"strings\">\r\n\t\t\t<line value=\"first\"/>\r\n"
          "\t\t\t<line value=\"second\"/>\r\n\t\t</property>\r\n",
          "\t\t<property name=\"Height\" value=\"17\"/>\r\n",
          "\t\t<property name=\"Left\" value=\"16\"/>\r\n",
          "\t\t<property name=\"Name\" value=\"Control1\"/>\r\n",
          "\t\t<property name=\"Top\" value=\"8\"/>\r\n",
          "\t\t<property name=\"Font.Style.fsBold\"",
          "\t\t<property name=\"Width\" value=\"41\"/>\r\n\t</control>\r\n</root>"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.find("name=\"Font\""), std::string::npos)
        << "rows with children are not written";
    EXPECT_EQ(inspector->Component(), nullptr) << "the inspector shows nothing after a save";
}

TEST_F(LayoutTest, ARoundTripRestoresKindsNestingOrderAndTexts)
{
    QWidget *panel = AddNamedControl("Panel", container.get(), "Control1", {10, 10, 200, 100});
    QWidget *button = AddNamedControl("Button", panel, "Control1", {5, 5, 75, 25});
    TypInfo::WriteFromVariant(AsDesigned(button), "Hint", TVariant("O\"K & <go>\r\nline two "));
    TypInfo::WriteFromVariant(AsDesigned(button), "Caption", TVariant(" Name: "));
    QWidget *list = AddNamedControl("ListBox", container.get(), "Control2", {220, 10, 121, 97});
    dynamic_cast<TStrings *>(TypInfo::GetObjectProp(AsDesigned(list), "Items"))
        ->SetStrings({"alpha", "beta"});
    auto *grid = static_cast<TLXStringGrid *>(
        AddNamedControl("StringGrid", container.get(), "Control3", {10, 120, 330, 130}));
    grid->SetColCount(2);
    grid->SetRowCount(1);
    grid->SetFixedRows(0);
    grid->SetCell(0, 0, "a");
    grid->SetCell(1, 0, "b");
    auto *image = static_cast<TLXImage *>(
        AddNamedControl("Image", container.get(), "Control4", {400, 10, 50, 50}));
    const QByteArray bmp = BitmapFileBytes(3, 2);
    auto graphic = BitmapOf(bmp);
    image->Picture().SetGraphic(std::move(graphic));
    // The chosen item is written before the items it points into.
    QWidget *combo = AddNamedControl("ComboBox", container.get(), "Control5", {10, 260, 145, 21});
    dynamic_cast<TStrings *>(TypInfo::GetObjectProp(AsDesigned(combo), "Items"))
        ->SetStrings({"red", "green"});
    TypInfo::WriteFromVariant(AsDesigned(combo), "ItemIndex", TVariant("1"));
    const std::string first = Save("round.xml");
    EXPECT_NE(first.find("<cell col=\"0\" row=\"0\">a</cell>"), std::string::npos);
    EXPECT_NE(first.find("<bitmap format=\"BMP\">"), std::string::npos);
    EXPECT_NE(first.find("value=\"O&quot;K &amp; &lt;go&gt;\r\nline two \""), std::string::npos);

    Load("round.xml");
    const QList<QWidget *> top = container->Controls();
    ASSERT_EQ(top.size(), 5);
    EXPECT_EQ(ControlsFactory->GetKindName(top[0]), "Panel");
    EXPECT_EQ(top[0]->geometry(), QRect(10, 10, 200, 100));
    const QList<QWidget *> inner = TControlsFactory::DesignedChildren(top[0]);
    ASSERT_EQ(inner.size(), 1);
    EXPECT_EQ(TypInfo::GetStrProp(AsDesigned(inner[0]), "Hint"), "O\"K & <go>\r\nline two ");
    EXPECT_EQ(TypInfo::GetStrProp(AsDesigned(inner[0]), "Caption"), " Name: ");
    EXPECT_EQ(inner[0]->objectName(), "Control1");
    EXPECT_EQ(static_cast<TLXListBox *>(top[1])->count(), 2);
    auto *grid2 = static_cast<TLXStringGrid *>(top[2]);
    EXPECT_EQ(grid2->Cell(1, 0), "b");
    auto *image2 = static_cast<TLXImage *>(top[3]);
    ASSERT_NE(image2->Picture().Graphic(), nullptr);
    EXPECT_EQ(image2->Picture().Graphic()->SaveToBytes(), bmp);
    EXPECT_EQ(TypInfo::GetOrdProp(AsDesigned(top[4]), "ItemIndex"), 1);
    EXPECT_EQ(Save("again.xml"), first) << "a saved layout reads back to the same file";
}

TEST_F(LayoutTest, FontsColoursAndSizesComeBackAsSaved)
{
    QWidget *panel = AddNamedControl("Panel", container.get(), "Control1", {10, 10, 300, 200});
    TFont *panelFont = AsDesigned(panel)->Font();
    panelFont->SetSize(14);
    panelFont->SetStyle(1u << fsBold);
    AsDesigned(panel)->SetParentFont(false);
    // Takes the panel's font; its saved size is not the one it would size
    // itself to.
    QWidget *inherits = AddNamedControl("Label", panel, "Control2", {5, 5, 90, 40});
    QWidget *own = AddNamedControl("Label", panel, "Control3", {5, 60, 90, 40});
    AsDesigned(own)->Font()->SetStyle(1u << fsItalic);
    AsDesigned(own)->Font()->SetColor(clWhite);
    AsDesigned(own)->SetParentFont(false);
    // Sized apart from its own font, too, and so is the edit box.
    own->setGeometry(5, 60, 90, 40);
    QWidget *edit = AddNamedControl("EditBox", container.get(), "Control4", {10, 220, 100, 40});
    AsDesigned(edit)->SetColor(clBlack);
    edit->setGeometry(10, 220, 100, 40);
    const auto snapshot = [&](QWidget *w) {
        return std::make_tuple(w->geometry(), w->font().pointSize(), w->font().bold(),
                               w->font().italic(), w->palette().color(QPalette::WindowText),
                               w->palette().color(QPalette::Base));
    };
    const std::vector before = {snapshot(panel), snapshot(inherits), snapshot(own), snapshot(edit)};
    const std::string first = Save("fonts.xml");

    Load("fonts.xml");
    const QList<QWidget *> top = container->Controls();
    ASSERT_EQ(top.size(), 2);
    const QList<QWidget *> inner = TControlsFactory::DesignedChildren(top[0]);
    ASSERT_EQ(inner.size(), 2);
    const std::vector after = {snapshot(top[0]), snapshot(inner[0]), snapshot(inner[1]),
                               snapshot(top[1])};
    EXPECT_EQ(after, before);
    EXPECT_EQ(inner[0]->font().pointSize(), 14) << "the label follows the panel's font";
    EXPECT_TRUE(inner[1]->font().italic());
    EXPECT_FALSE(inner[1]->font().bold());
    EXPECT_EQ(inner[1]->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(AsDesigned(inner[0])->ParentFont());
    EXPECT_FALSE(AsDesigned(inner[1])->ParentFont());
    EXPECT_EQ(Save("fonts2.xml"), first) << "a second save writes the same file";

    // The font still follows later changes at once.
    AsDesigned(inner[1])->Font()->SetSize(20);
    EXPECT_EQ(inner[1]->font().pointSize(), 20);
}

TEST_F(LayoutTest, LoadingToleratesStrangeInputAndKeepsTheDesignOnParseErrors)
{
    AddNamedControl("Button", container.get(), "Control1", {0, 0, 75, 25});
    Write("broken.xml", "<root><control type=\"Button\">");
    EXPECT_ANY_THROW(Load("broken.xml"));
    EXPECT_EQ(container->Controls().size(), 1);

    Write("odd.xml",
          "<root><control type=\"Slider\"><control type=\"Button\"/></control>"
          "<Control type=\"Button\"/>"
          "<control type=\"button\"><property name=\"Left\" value=\"35\"/>"
          "<property name=\"Font\" value=\"(nonsense)\"/><property name=\"NoSuch\" value=\"1\"/>"
          "<property name=\"Picture\" type=\"picture\"/></control>"
          "<control type=\"StringGrid\"><cells><cell col=\"x\" row=\"0\">skip</cell>"
          "<cell col=\"1\" row=\"1\">kept</cell></cells></control></root>");
    Load("odd.xml");
    const QList<QWidget *> loaded = container->Controls();
    ASSERT_EQ(loaded.size(), 3);
    // An unknown kind stands in for itself; what it holds stays inside it.
    EXPECT_EQ(ControlsFactory->GetKindName(loaded[0]), "Slider");
    EXPECT_TRUE(TControlsFactory::DesignedChildren(loaded[0]).isEmpty());
    EXPECT_EQ(ControlsFactory->GetKindName(loaded[1]), "Button");
    EXPECT_EQ(loaded[1]->x(), 35);
    EXPECT_EQ(static_cast<TLXStringGrid *>(loaded[2])->Cell(1, 1), "kept");
    EXPECT_EQ(errors.size(), 1) << "a bad cell index is reported once and skipped";

    // Another document's root is no layout, whatever it holds.
    Write("other.xml", "<layout><control type=\"Button\"/></layout>");
    EXPECT_ANY_THROW(Load("other.xml"));
    EXPECT_EQ(container->Controls().size(), 3);

    Write("emptyroot.xml", "<root/>");
    Load("emptyroot.xml");
    EXPECT_TRUE(container->Controls().isEmpty());
}

TEST_F(LayoutTest, ARejectedValueEndsTheLoadAndPutsTheDesignBack)
{
    QWidget *memo = AddNamedControl("Memo", container.get(), "Notes", {30, 40, 100, 60});
    dynamic_cast<TStrings *>(TypInfo::GetObjectProp(AsDesigned(memo), "Lines"))
        ->SetStrings({"keep me"});
    const std::string before = Save("before.xml");
    Write("bad.xml", "<root><control type=\"Button\"/><control type=\"Button\">"
                     "<property name=\"Width\" value=\"wide\"/></control>"
                     "<control type=\"Label\"/></root>");
    EXPECT_ANY_THROW(Load("bad.xml"));
    ASSERT_EQ(container->Controls().size(), 1);
    EXPECT_EQ(Save("after.xml"), before) << "no work is lost to a bad file";
}

// The file is read onto a new client of the surface, swapped in only when
// complete: a failed open keeps the very controls of the design, a good one
// leaves a surface that takes drops as before, on itself and on its panels.
TEST_F(LayoutTest, OpeningReplacesTheDesignOnlyOnceTheFileIsRead)
{
    container->SetOnDragOver([](QWidget *, QObject *, const QPoint &, bool &) {});
    QPointer<QWidget> kept = AddNamedControl("Button", container.get(), "Control1", {0, 0, 75, 25});
    QWidget *client = container->widget();
    Write("bad.xml", "<root><control type=\"Panel\"><property name=\"Name\" value=\"Control1\"/>"
                     "<control type=\"Button\"><property name=\"Name\" value=\"1x\"/>"
                     "</control></control></root>");
    EXPECT_ANY_THROW(Load("bad.xml"));
    EXPECT_EQ(container->widget(), client);
    EXPECT_EQ(container->Controls(), QList<QWidget *>{kept.data()});

    Write("good.xml", "<root><control type=\"Panel\"><property name=\"Name\" value=\"Control1\"/>"
                      "<property name=\"Left\" value=\"500\"/></control></root>");
    Load("good.xml");
    EXPECT_TRUE(kept.isNull()) << "the previous design is destroyed";
    const QList<QWidget *> loaded = container->Controls();
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0]->objectName(), "Control1");
    EXPECT_EQ(loaded[0]->x(), 500);
    EXPECT_TRUE(container->widget()->acceptDrops());
    EXPECT_TRUE(dynamic_cast<TDropTarget *>(loaded[0])->OnDragOver())
        << "panels opened from a file take drops as dropped ones do";
}

} // namespace

#include "persistence/FOPersistance.h"

#include <QProcess>

namespace
{

// An independent XML parser must accept what the designer writes.
bool WellFormed(const std::string &path, QString &complaint)
{
    QProcess lint;
    lint.start(QStringLiteral("xmllint"),
               {QStringLiteral("--noout"), QString::fromStdString(path)});
    if (!lint.waitForFinished(30000)) {
        complaint = QStringLiteral("xmllint did not run");
        return false;
    }
    complaint = QString::fromLocal8Bit(lint.readAllStandardError());
    return lint.exitStatus() == QProcess::NormalExit && lint.exitCode() == 0;
}

TEST_F(LayoutTest, LayoutsAndFODocumentsOfEveryKindAreWellFormed)
{
    QWidget *group = AddNamedControl("GroupBox", container.get(), "Group", {5, 5, 300, 200});
    int i = 0;
    for (const QString &kind : ControlsFactory->Names()) {
        if (kind == "InplaceEdit")
            continue;
        QWidget *parent = (i % 2) ? static_cast<QWidget *>(group) : container.get();
        AddNamedControl(kind.toLatin1().constData(), parent, ("Item" + std::to_string(i)).c_str(),
                        {10 + 20 * i, 10, 60, 30});
        ++i;
    }
    Save("every.xml");
    TFOPersistance(container.get(), inspector.get()).Save(Path("every.fo"));
    for (const char *file : {"every.xml", "every.fo"}) {
        QString complaint;
        EXPECT_TRUE(WellFormed(Path(file), complaint)) << file << ": " << complaint.toStdString();
    }
}

} // namespace
