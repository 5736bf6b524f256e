// A layout may hold what this designer does not understand: properties no
// row reads, elements of another tool, controls of kinds it does not know.
// Opening keeps all of it and saving writes it back in its place; paths
// written with categories or without read in either mode.
#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/NamedControl.h"

#include "controls/Font.h"
#include "controls/LXDesigned.h"
#include "controls/LXPlaceholder.h"
#include "controls/Strings.h"
#include "designer/LXControlsContainer.h"
#include "designer/LayoutSnapshot.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/FOPersistance.h"
#include "persistence/HtmlPersistance.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"
#include "platform/ErrorDisplay.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace
{

std::string Tabs(int depth)
{
    return std::string(static_cast<size_t>(depth), '\t');
}

// Puts text in front of the first occurrence of marker (after it, with
// after), so that edits land where a person would make them.
void Insert(std::string &layout, const std::string &marker, const std::string &text,
            bool after = false)
{
    const size_t at = layout.find(marker);
    ASSERT_NE(at, std::string::npos) << marker;
    layout.insert(after ? at + marker.size() : at, text);
}

class KeptContentTest : public ::testing::Test
{
protected:
    void SetUp() override { EnsureDesignerSingletons(); }

    std::string Path(const std::string &name) const
    {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string Read(const std::string &name) const
    {
        QFile f(QString::fromStdString(Path(name)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        return f.readAll().toStdString();
    }
    void Write(const std::string &name, const std::string &text) const
    {
        QFile f(QString::fromStdString(Path(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    std::string Save(TLXControlsContainer &container, const std::string &name)
    {
        TXmlPersistance(&container, container.Inspector()).Save(Path(name));
        return Read(name);
    }
    std::vector<std::string> Load(TLXControlsContainer &container, const std::string &name)
    {
        TXmlPersistance reader(&container, container.Inspector());
        reader.Load(Path(name));
        return reader.KeptNotes();
    }

    // A label, a panel holding a button and two buttons more, each with
    // values off their defaults.
    static void MakeDesign(TLXControlsContainer &container)
    {
        QWidget *label = AddNamedControl("Label", &container, "Title", {8, 4, 90, 17});
        AsDesigned(label)->SetHint("a & b");
        QWidget *panel = AddNamedControl("Panel", &container, "Holder", {10, 40, 300, 120});
        QWidget *go = AddNamedControl("Button", panel, "Go", {35, 45, 80, 30}, "Press");
        AsDesigned(go)->CommentStrings()->SetStrings({"first", "second"});
        AsDesigned(go)->Font()->SetStyle(1u << fsBold);
        AsDesigned(go)->SetParentFont(false);
        for (int i = 0; i < 2; ++i)
            AddNamedControl("Button", &container, ("More" + std::to_string(i)).c_str(),
                            {320, 10 + 40 * i, 75, 25}, "More");
    }

    // The design's layout with what another tool might have added: unknown
    // properties, elements and a comment among a control's elements, and
    // controls of unknown kinds, one with a control inside it, in the form
    // the layout writer gives them (a comment follows the element before it
    // on its line).
    static std::string WithForeignContent(std::string layout)
    {
        const std::string nl = "\r\n";
        Insert(layout, "value=\"Title\"/>" + nl,
               Tabs(2) + "<property name=\"Zoom\" value=\"150%\"/><!--set by hand-->" + nl +
                   Tabs(2) + "<extra kind=\"x\">" + nl + Tabs(3) + "<deep a=\"1\">text</deep>" +
                   nl + Tabs(2) + "</extra>" + nl,
               true);
        Insert(layout, "<control type=\"Button\">" + nl,
               Tabs(3) + "<property name=\"Future.Lines\" type=\"strings\">" + nl + Tabs(4) +
                   "<line value=\"a\"/>" + nl + Tabs(3) + "</property>" + nl,
               true);
        Insert(layout, Tabs(2) + "<control type=\"Button\">",
               Tabs(2) + "<binding to=\"data\"/>" + nl);
        Insert(layout, Tabs(2) + "</control>" + nl,
               Tabs(2) + "<control type=\"Dial\">" + nl + Tabs(3) +
                   "<property name=\"Top\" value=\"7\"/>" + nl + Tabs(2) + "</control>" + nl,
               true);
        Insert(layout, "</root>",
               Tabs(1) + "<control type=\"Slider\">" + nl + Tabs(2) +
                   "<property name=\"Left\" value=\"40\"/>" + nl + Tabs(2) +
                   "<property name=\"Max\" value=\"9\"/>" + nl + Tabs(2) +
                   "<control type=\"Button\">" + nl + Tabs(3) +
                   "<property name=\"Name\" value=\"Inner\"/>" + nl + Tabs(2) + "</control>" + nl +
                   Tabs(1) + "</control>" + nl);
        return layout;
    }

    // The design saved, with foreign content added, as "edited.xml".
    std::string ForeignLayout(TRSObjectInspector &inspector)
    {
        TLXControlsContainer source(nullptr, &inspector);
        MakeDesign(source);
        const std::string edited = WithForeignContent(Save(source, "design.xml"));
        Write("edited.xml", edited);
        return edited;
    }

    QTemporaryDir dir;
    QStringList errors;
    const THookGuard display{ErrorDisplay::Show, [this](const QString &m) { errors.append(m); }};
};

TEST_F(KeptContentTest, ForeignContentIsKeptInPlaceWithAndWithoutCategories)
{
    for (const bool categories : {false, true}) {
        SCOPED_TRACE(categories ? "categories on" : "categories off");
        const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
        inspector->Inspector()->SetArrangeByCategory(categories);
        const std::string edited = ForeignLayout(*inspector);
        TLXControlsContainer container(nullptr, inspector.get());
        EXPECT_EQ(
            Load(container, "edited.xml"),
            (std::vector<std::string>{"property \"Zoom\"", "element \"extra\"",
                                      "element \"binding\"", "property \"Future.Lines\"",
                                      "kind \"Dial\" (1 control)", "kind \"Slider\" (1 control)"}));
        const QList<QWidget *> top = container.Controls();
        ASSERT_EQ(top.size(), 5);
        const QList<QWidget *> inner = TControlsFactory::DesignedChildren(top[1]);
        ASSERT_EQ(inner.size(), 2);
        EXPECT_EQ(ControlsFactory->GetKindName(inner[1]), "Dial");
        EXPECT_EQ(inner[1]->y(), 7);
        auto *slider = dynamic_cast<TLXPlaceholder *>(top[4]);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->geometry(),
                  QRect(40, 0, TLXPlaceholder::DefaultWidth, TLXPlaceholder::DefaultHeight));
        EXPECT_TRUE(TControlsFactory::DesignedChildren(slider).isEmpty())
            << "what an unknown control holds stays in it";
        EXPECT_EQ(Save(container, "again.xml"), edited);

        // Only what the designer changes of an unknown control is new.
        slider->move(55, 65);
        std::string moved = edited;
        const std::string left = "<property name=\"Left\" value=\"40\"/>";
        moved.replace(moved.find(left), left.size(), "<property name=\"Left\" value=\"55\"/>");
        Insert(moved, Tabs(2) + "<property name=\"Max\" value=\"9\"/>\r\n",
               Tabs(2) + "<property name=\"Top\" value=\"65\"/>\r\n", true);
        EXPECT_EQ(Save(container, "moved.xml"), moved);
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// A path written under a category ("Layout.Left") or without one ("Left")
// finds its row whichever way the rows are arranged now, and is not taken
// for something unknown.
TEST_F(KeptContentTest, LayoutsWrittenWithOrWithoutCategoriesOpenInEitherMode)
{
    std::map<bool, std::string> files, expected;
    for (const bool categories : {false, true}) {
        const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
        inspector->Inspector()->SetArrangeByCategory(categories);
        TLXControlsContainer source(nullptr, inspector.get());
        MakeDesign(source);
        const std::string name = categories ? "categorized.xml" : "plain.xml";
        expected[categories] = Save(source, name);
        files[categories] = name;
    }
    ASSERT_NE(expected[true], expected[false]);
    for (const bool written : {false, true})
        for (const bool reading : {false, true}) {
            SCOPED_TRACE(std::string(written ? "categorized" : "plain") + " file, categories " +
                         (reading ? "on" : "off"));
            const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
            inspector->Inspector()->SetArrangeByCategory(reading);
            TLXControlsContainer container(nullptr, inspector.get());
            EXPECT_TRUE(Load(container, files[written]).empty());
            // Every property came back: the design saves as it was made.
            EXPECT_EQ(Save(container, "resaved.xml"), expected[reading]);
        }
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// Copy, paste, duplicate and undo write and read controls as fragments of a
// layout: what a control keeps goes with it.
TEST_F(KeptContentTest, FragmentsCarryWhatTheControlsKeep)
{
    const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
    ForeignLayout(*inspector);
    TLXControlsContainer container(nullptr, inspector.get());
    Load(container, "edited.xml");
    const QList<QWidget *> top = container.Controls();
    ASSERT_EQ(top.size(), 5);
    TLayoutSnapshot snapshot(&container, inspector.get());
    const std::string fragment = snapshot.WriteFragment({top[0], top[1], top[4]});
    for (const char *part : {"<deep a=\"1\">text</deep>", "<binding to=\"data\"/>",
                             "<control type=\"Dial\">", "value=\"Inner\""})
        EXPECT_NE(fragment.find(part), std::string::npos) << part;
    QWidget holder;
    const QList<QWidget *> copies = snapshot.ReadFragment(fragment, &holder);
    ASSERT_EQ(copies.size(), 3);
    EXPECT_EQ(snapshot.WriteFragment(std::vector<QWidget *>(copies.begin(), copies.end())),
              fragment);
}

TEST_F(KeptContentTest, ExportsLeaveUnknownControlsOut)
{
    const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
    ForeignLayout(*inspector);
    TLXControlsContainer container(nullptr, inspector.get());
    Load(container, "edited.xml");
    const auto exports = [&] {
        THtmlPersistance(&container, inspector.get()).Save(Path("page.htm"));
        TFOPersistance(&container, inspector.get()).Save(Path("page.fo"));
        return Read("page.htm") + Read("page.fo");
    };
    const std::string with = exports();
    EXPECT_NE(with.find("Press"), std::string::npos);
    for (QWidget *c : container.findChildren<QWidget *>())
        if (dynamic_cast<TLXPlaceholder *>(c))
            delete c;
    EXPECT_EQ(exports(), with);

    // A design of unknown controls only exports as an empty one does.
    TLXControlsContainer empty(nullptr, inspector.get());
    TFOPersistance(&empty, inspector.get()).Save(Path("empty.fo"));
    Write("unknown.xml", "<root><control type=\"Slider\"/></root>");
    Load(container, "unknown.xml");
    ASSERT_EQ(container.Controls().size(), 1);
    TFOPersistance(&container, inspector.get()).Save(Path("unknown.fo"));
    EXPECT_EQ(Read("unknown.fo"), Read("empty.fo"));
}

TEST_F(KeptContentTest, TheNoticeNamesTheFirstThingsKeptAndCountsTheRest)
{
    std::string text = "<root><control type=\"Button\">";
    for (int i = 0; i < 25; ++i)
        text += "<property name=\"P" + std::to_string(i) + "\" value=\"1\"/>";
    Write("many.xml", text + "</control></root>");
    TRSObjectInspector inspector;
    TLXControlsContainer container(nullptr, &inspector);
    container.LoadLayout(QString::fromStdString(Path("many.xml")));
    const QString notice = container.KeptNotice();
    EXPECT_TRUE(notice.contains("\n  property \"P19\"\n  and 5 more")) << notice.toStdString();
    Write("plain.xml", "<root><control type=\"Button\"/></root>");
    container.LoadLayout(QString::fromStdString(Path("plain.xml")));
    EXPECT_TRUE(container.KeptNotice().isEmpty());
}

// The command-line tool writes the layout back whole, tells on stderr what
// it kept and still succeeds.
TEST_F(KeptContentTest, TheExportToolKeepsForeignContentAndSaysSo)
{
    const QString tool = QCoreApplication::applicationDirPath() + "/../formdesigner-export";
    const auto run = [&](const std::string &in, const std::string &out, QString &err) {
        QProcess exporter;
        exporter.start(
            tool, {"xml", QString::fromStdString(Path(in)), QString::fromStdString(Path(out))});
        EXPECT_TRUE(exporter.waitForFinished(60000));
        err = QString::fromLocal8Bit(exporter.readAllStandardError());
        return exporter.exitCode();
    };
    // The tool's own form of a layout, then the same with foreign content.
    Write("design.xml", "<root><control type=\"Label\"><property name=\"Name\" value=\"Title\"/>"
                        "</control><control type=\"Panel\"><control type=\"Button\"/></control>"
                        "<control type=\"Button\"/></root>");
    QString err;
    ASSERT_EQ(run("design.xml", "normal.xml", err), 0) << err.toStdString();
    EXPECT_FALSE(err.contains("does not understand")) << err.toStdString();
    const std::string edited = WithForeignContent(Read("normal.xml"));
    Write("edited.xml", edited);

    EXPECT_EQ(run("edited.xml", "out.xml", err), 0) << err.toStdString();
    EXPECT_EQ(Read("out.xml"), edited);
    for (const char *note : {"kind \"Slider\" (1 control)", "kind \"Dial\" (1 control)",
                             "property \"Zoom\"", "element \"extra\""})
        EXPECT_TRUE(err.contains(note)) << note << " in " << err.toStdString();
}

} // namespace
