// Opening writes a control of a class met before without rows of its own.
// Whatever it writes must be exactly what the rows made for the control
// would have written: both ways of opening are compared here, property by
// property, on a layout holding every kind with values chosen off their
// defaults.
#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/NamedControl.h"

#include "controls/LXDesigned.h"
#include "controls/Strings.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"
#include "platform/ErrorDisplay.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/TypInfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Everything the inspector shows of every control, with the controls'
// places, in tree order.
std::vector<std::string> Shown(QWidget *root)
{
    TRSObjectInspector viewer;
    std::vector<std::string> lines;
    std::vector<QWidget *> pending{root};
    while (!pending.empty()) {
        QWidget *parent = pending.front();
        pending.erase(pending.begin());
        for (QWidget *c : TControlsFactory::DesignedChildren(parent)) {
            const QRect g = c->geometry();
            lines.push_back(c->objectName().toStdString() + " at " + std::to_string(g.x()) + "," +
                            std::to_string(g.y()) + " " + std::to_string(g.width()) + "x" +
                            std::to_string(g.height()) +
                            (c->isVisibleTo(parent) ? " shown" : " hidden"));
            viewer.SetComponent(AsDesigned(c));
            viewer.Rebuild();
            for (TRSItemProp *row : viewer.Inspector()->AllRows())
                lines.push_back("  " + row->GetFullName() + "=" + row->Values()->Text());
            pending.push_back(c);
        }
    }
    return lines;
}

// Turns the pick-list rows of a control (enumerations, flags, set elements,
// colours, cursors) to other entries, a different one per control.
void Vary(QWidget *control, int seed)
{
    TRSObjectInspector editor;
    editor.SetComponent(AsDesigned(control));
    editor.Rebuild();
    int k = 0;
    for (TRSItemProp *row : editor.Inspector()->AllRows()) {
        auto *p = dynamic_cast<TRSItemProperty *>(row);
        ++k;
        if (!p || p->Items()->Count() > 0 || p->GetReadOnly() || p->Name() == "Name")
            continue;
        TRSStringList *pick = p->GetPickList();
        if (pick->Count() < 2)
            continue;
        const std::string value = pick->Get((seed * 7 + k * 3) % pick->Count());
        try {
            p->Values()->Put(0, value);
            p->Apply();
        } catch (const std::exception &) {
            // A value this control refuses stays as it was.
        }
    }
}

class OpeningPathsTest : public ::testing::Test
{
protected:
    void SetUp() override { EnsureDesignerSingletons(); }

    std::string Path(const char *name) const { return dir.filePath(name).toStdString(); }
    std::string Bytes(const char *name) const
    {
        QFile f(QString::fromStdString(Path(name)));
        f.open(QIODevice::ReadOnly);
        return f.readAll().toStdString();
    }

    // Every kind twice, some inside a panel, each with chosen values.
    void MakeEveryKind(TLXControlsContainer &container)
    {
        QWidget *panel = AddNamedControl("Panel", &container, "Holder", {400, 300, 300, 200});
        int i = 0;
        for (int round = 0; round < 2; ++round) {
            for (const QString &kind : ControlsFactory->Names()) {
                if (kind == "InplaceEdit")
                    continue;
                QWidget *parent = (i % 3 == 2) ? panel : static_cast<QWidget *>(&container);
                QWidget *c = AddNamedControl(kind.toLatin1().constData(), parent,
                                             ("Item" + std::to_string(i)).c_str(),
                                             {5 + 13 * (i % 20), 5 + 11 * i, 60 + i, 25 + i % 7});
                TRSObjectInspector setter;
                setter.SetComponent(AsDesigned(c));
                setter.Rebuild();
                if (TypInfo::FindPublishedProperty(AsDesigned(c), "Hint"))
                    TypInfo::SetStrProp(AsDesigned(c), "Hint", "hint & <" + std::to_string(i));
                if (auto *lines = dynamic_cast<TStrings *>(
                        TypInfo::FindPublishedProperty(AsDesigned(c), "Items")
                            ? TypInfo::GetObjectProp(AsDesigned(c), "Items")
                            : nullptr))
                    lines->SetStrings({"one", "two " + std::to_string(i)});
                Vary(c, i);
                ++i;
            }
        }
    }

    QTemporaryDir dir;
    QStringList errors;
    const THookGuard display{ErrorDisplay::Show, [this](const QString &m) { errors.append(m); }};
};

TEST_F(OpeningPathsTest, WritingWithoutRowsGivesWhatTheRowsGiveForEveryKind)
{
    {
        const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
        TLXControlsContainer source(nullptr, inspector.get());
        MakeEveryKind(source);
        TXmlPersistance(&source, inspector.get()).Save(Path("saved.xml"));
    }
    ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    // Layouts written by hand may leave elements of a set out (those keep
    // what the control has) or name properties no row has.
    std::string text = Bytes("saved.xml");
    for (const std::string left : {"Anchors.akTop", "Font.Style.fsItalic", "BevelEdges.beLeft"})
        for (size_t at; (at = text.find("name=\"" + left + "\"")) != std::string::npos;)
            text.replace(at, left.size() + 7, "name=\"Unknown\"");
    QFile every(QString::fromStdString(Path("every.xml")));
    ASSERT_TRUE(every.open(QIODevice::WriteOnly));
    every.write(text.data(), static_cast<qint64>(text.size()));
    every.close();

    const std::unique_ptr<TRSObjectInspector> rowsInspector = MakeLayoutInspector();
    TLXControlsContainer byRows(nullptr, rowsInspector.get());
    TXmlPersistance rows(&byRows, rowsInspector.get());
    rows.SetDirectWrites(false);
    rows.Load(Path("every.xml"));
    EXPECT_EQ(rows.DirectlyWritten(), 0);

    // The second opening finds the rows of every class from the first.
    const std::unique_ptr<TRSObjectInspector> directInspector = MakeLayoutInspector();
    TLXControlsContainer direct(nullptr, directInspector.get());
    TXmlPersistance(&direct, directInspector.get()).Load(Path("every.xml"));
    TXmlPersistance again(&direct, directInspector.get());
    again.Load(Path("every.xml"));
    int controls = 0;
    for (QWidget *w : direct.findChildren<QWidget *>())
        controls += AsDesigned(w) ? 1 : 0;
    EXPECT_EQ(again.DirectlyWritten(), controls);
    ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();

    const std::vector<std::string> expected = Shown(&byRows);
    const std::vector<std::string> got = Shown(&direct);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i], expected[i]);

    TXmlPersistance(&byRows, rowsInspector.get()).Save(Path("rows.xml"));
    TXmlPersistance(&direct, directInspector.get()).Save(Path("direct.xml"));
    EXPECT_EQ(Bytes("direct.xml"), Bytes("rows.xml"));
}

// What is derived from earlier rows never outlives them: a property the
// inspector stops showing is no longer read from a layout.
TEST_F(OpeningPathsTest, ChangedInspectorSettingsAreHonouredAtTheNextOpening)
{
    {
        const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
        TLXControlsContainer source(nullptr, inspector.get());
        for (int i = 0; i < 3; ++i)
            AddNamedControl("Button", &source, ("Go" + std::to_string(i)).c_str(),
                            {10, 10 + 30 * i, 75, 25}, "Stored caption");
        TXmlPersistance(&source, inspector.get()).Save(Path("buttons.xml"));
    }
    const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
    TLXControlsContainer container(nullptr, inspector.get());
    TXmlPersistance(&container, inspector.get()).Load(Path("buttons.xml"));
    EXPECT_EQ(TypInfo::GetStrProp(AsDesigned(container.Controls()[2]), "Caption"),
              "Stored caption");

    inspector->Inspector()->Filters().Add("Caption");
    TXmlPersistance second(&container, inspector.get());
    second.Load(Path("buttons.xml"));
    for (QWidget *c : container.Controls())
        EXPECT_NE(TypInfo::GetStrProp(AsDesigned(c), "Caption"), "Stored caption");
    EXPECT_GT(second.DirectlyWritten(), 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

} // namespace
