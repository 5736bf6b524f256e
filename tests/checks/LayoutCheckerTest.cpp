// The layout checks: for each, the faults it must find and the near misses
// it must leave alone.
#include "support/DesignerSingletons.h"
#include "support/NamedControl.h"

#include "checks/LayoutChecker.h"
#include "checks/ProblemTracker.h"
#include "checks/StressedCopy.h"
#include "checks/TextRoom.h"
#include "controls/AlignLayout.h"
#include "controls/LXButton.h"
#include "controls/LXComboBox.h"
#include "controls/LXLabel.h"
#include "controls/LXPanel.h"
#include "controls/LXStringGrid.h"
#include "controls/Strings.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

class LayoutCheckerTest : public ::testing::Test
{
protected:
    void SetUp() override { EnsureDesignerSingletons(); }

    // The problems one check finds, as "path: message".
    QStringList Found(const QString &check, const TTextStress &stress = {})
    {
        TLayoutChecker checker;
        checker.SetChecks({check});
        checker.SetStress(stress);
        QStringList lines;
        for (const TLayoutProblem &p : checker.Check(&root))
            lines << p.Path + QStringLiteral(": ") + p.Message;
        return lines;
    }

    QWidget root;
};

TEST_F(LayoutCheckerTest, OffAreaFindsControlsBeyondTheirContainersClientArea)
{
    QWidget *panel = AddNamedControl("Panel", &root, "Panel1", {10, 10, 200, 100});
    const QRect client = panel->contentsRect();
    QWidget *filling = AddNamedControl("Button", panel, "Fill", client, "x");
    EXPECT_TRUE(Found("off-area").isEmpty()) << Found("off-area").join('\n').toStdString();

    filling->setGeometry(client.adjusted(0, 0, 1, 0));
    EXPECT_EQ(Found("off-area").size(), 1);
    EXPECT_TRUE(Found("off-area").front().startsWith("Panel1/Fill: lies partly outside"));

    filling->setGeometry(client);
    QWidget *away = AddNamedControl("Button", panel, "Away", {300, 300, 40, 20}, "y");
    EXPECT_EQ(Found("off-area"), QStringList{"Panel1/Away: lies wholly outside its container"});
    // Hidden and zero-size controls show nothing that could be lost.
    AsDesigned(away)->SetVisible(false);
    AddNamedControl("Button", panel, "Zero", {300, 300, 0, 0}, "z");
    EXPECT_TRUE(Found("off-area").isEmpty());

    // The design grows right and down; only its left and top bound it.
    AddNamedControl("Button", &root, "FarRight", {5000, 5000, 40, 20}, "r");
    EXPECT_TRUE(Found("off-area").isEmpty());
    AddNamedControl("Button", &root, "Above", {10, -5, 40, 20}, "a");
    EXPECT_EQ(Found("off-area").size(), 1);
}

TEST_F(LayoutCheckerTest, OverlapFindsSiblingsSharingPixelsOnly)
{
    AddNamedControl("Button", &root, "A", {0, 0, 50, 20}, "a");
    AddNamedControl("Button", &root, "Touching", {50, 0, 50, 20}, "b");
    AddNamedControl("Button", &root, "Below", {0, 20, 50, 20}, "c");
    EXPECT_TRUE(Found("overlap").isEmpty());

    QWidget *panel = AddNamedControl("Panel", &root, "Panel1", {200, 0, 100, 100});
    // A container's children lie over it without overlapping it.
    AddNamedControl("Button", panel, "Inside", {10, 10, 50, 20}, "d");
    EXPECT_TRUE(Found("overlap").isEmpty());

    QWidget *over = AddNamedControl("Button", &root, "Over", {99, 19, 10, 10}, "e");
    EXPECT_EQ(Found("overlap"), QStringList{"Over: overlaps Touching"});
    AsDesigned(over)->SetVisible(false);
    EXPECT_TRUE(Found("overlap").isEmpty());

    AddNamedControl("Button", panel, "Inside2", {59, 29, 10, 10}, "f");
    EXPECT_EQ(Found("overlap"), QStringList{"Panel1/Inside2: overlaps Panel1/Inside"});
}

TEST_F(LayoutCheckerTest, OverlapFindsEveryPairAmongManyControls)
{
    // Controls of many sizes, some at negative places, some touching, one
    // across nearly all: each pair that shares a pixel once, none other.
    QWidget host;
    std::vector<QWidget *> controls;
    uint32_t seed = 12345;
    const auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
    };
    for (int i = 0; i < 400; ++i) {
        const QRect place(next(2000) - 300, next(1500) - 200, 1 + next(i % 10 ? 60 : 400),
                          1 + next(40));
        controls.push_back(
            AddNamedControl("Button", &host, qPrintable(QStringLiteral("B%1").arg(i)), place, "x"));
    }
    controls.push_back(AddNamedControl("Button", &host, "Wide", {-250, 100, 2100, 200}, "x"));
    controls.push_back(AddNamedControl("Button", &host, "Edge", {-250, 300, 40, 40}, "x"));
    QStringList expected;
    for (size_t a = 0; a < controls.size(); ++a)
        for (size_t b = a + 1; b < controls.size(); ++b)
            if (controls[a]->geometry().intersects(controls[b]->geometry()))
                expected << controls[b]->objectName() + ": overlaps " + controls[a]->objectName();
    TLayoutChecker checker;
    checker.SetChecks({"overlap"});
    QStringList found;
    for (const TLayoutProblem &p : checker.Check(&host))
        found << p.Path + ": " + p.Message;
    ASSERT_GT(expected.size(), 100);
    EXPECT_EQ(found.size(), expected.size());
    found.sort();
    expected.sort();
    EXPECT_EQ(found, expected);
}

TEST_F(LayoutCheckerTest, ClippedTextMeasuresWithTheControlsOwnFont)
{
    QWidget *button = AddNamedControl("Button", &root, "Go", {0, 0, 30, 25}, "Continue");
    const auto clip = TTextRoom::Clipped(button);
    ASSERT_TRUE(clip.has_value());
    EXPECT_EQ(clip->Has, 30);
    EXPECT_GT(clip->Needs, 30);
    EXPECT_EQ(
        Found("clipped-text"),
        QStringList{
            QStringLiteral("Go: caption \"Continue\" needs %1 px, has 30 px").arg(clip->Needs)});

    // Exactly the width it needs fits.
    button->resize(clip->Needs, 25);
    EXPECT_TRUE(Found("clipped-text").isEmpty());

    // A larger font makes the caption need more; a smaller one fits again.
    QFont font = button->font();
    font.setPointSizeF(font.pointSizeF() * 2);
    button->setFont(font);
    EXPECT_EQ(Found("clipped-text").size(), 1);
    font.setPointSizeF(font.pointSizeF() / 4);
    button->setFont(font);
    EXPECT_TRUE(Found("clipped-text").isEmpty());

    // The same caption under a larger text size and a longer translation.
    button->setFont(root.font());
    EXPECT_EQ(Found("clipped-text", TTextStress(150, true)).size(), 1);
    EXPECT_TRUE(Found("clipped-text").isEmpty());

    // A combo box's own text counts, also when it is none of its items.
    auto *combo =
        static_cast<TLXComboBox *>(AddNamedControl("ComboBox", &root, "Role", {0, 40, 60, 21}));
    AsDesigned(combo)->SetText(QStringLiteral("Administrator"));
    ASSERT_EQ(Found("clipped-text").size(), 1);
    EXPECT_TRUE(Found("clipped-text").front().startsWith("Role: text \"Administrator\" needs"));
    combo->resize(200, 21);
    EXPECT_TRUE(Found("clipped-text").isEmpty());
}

TEST_F(LayoutCheckerTest, ClippedTextOfLabelsKnowsLinesAndAutoSize)
{
    auto *label = static_cast<TLXLabel *>(
        AddNamedControl("Label", &root, "Note", {0, 0, 10, 10}, "One\nTwo"));
    // A label that sizes itself to its caption is never clipped, also not
    // at a larger text size: it grows with it.
    EXPECT_TRUE(Found("clipped-text").isEmpty());
    EXPECT_TRUE(Found("clipped-text", TTextStress(200, true)).isEmpty());

    label->SetAutoSize(false);
    const QSize both = label->fontMetrics().size(Qt::TextShowMnemonic, QStringLiteral("One\nTwo"));
    label->setGeometry(0, 0, both.width() + 4, both.height() + 4);
    EXPECT_TRUE(Found("clipped-text").isEmpty()) << Found("clipped-text").join('\n').toStdString();

    // Room for one line only: the second is cut at the bottom.
    label->setGeometry(0, 0, both.width() + 4, both.height() / 2);
    ASSERT_EQ(Found("clipped-text").size(), 1);
    EXPECT_TRUE(Found("clipped-text").front().contains(" px high, has "));
}

TEST_F(LayoutCheckerTest, TabOrderFindsSharedAndMissingPositions)
{
    QWidget *a = AddNamedControl("EditBox", &root, "A", {0, 0, 50, 20});
    QWidget *b = AddNamedControl("EditBox", &root, "B", {0, 30, 50, 20});
    QWidget *c = AddNamedControl("EditBox", &root, "C", {0, 60, 50, 20});
    AsDesigned(a)->SetStoredValue("TabOrder", 0);
    AsDesigned(b)->SetStoredValue("TabOrder", 1);
    AsDesigned(c)->SetStoredValue("TabOrder", 2);
    EXPECT_TRUE(Found("tab-order").isEmpty());

    AsDesigned(c)->SetStoredValue("TabOrder", 1);
    EXPECT_EQ(Found("tab-order"), (QStringList{"C: tab position 1 is also B's",
                                               "A: tab positions missing in the design: 2"}));
    AsDesigned(c)->SetStoredValue("TabOrder", 5);
    EXPECT_EQ(Found("tab-order"), QStringList{"A: tab positions missing in the design: 2"});
}

TEST_F(LayoutCheckerTest, AmbiguousNameFindsNamesSharedAcrossContainers)
{
    QWidget *left = AddNamedControl("Panel", &root, "Left", {0, 0, 100, 100});
    QWidget *right = AddNamedControl("Panel", &root, "Right", {100, 0, 100, 100});
    AddNamedControl("Button", left, "Ok", {5, 5, 40, 20}, "a");
    AddNamedControl("Button", right, "Cancel", {5, 5, 40, 20}, "b");
    EXPECT_TRUE(Found("ambiguous-name").isEmpty());
    AddNamedControl("Button", right, "OK", {5, 40, 40, 20}, "c");
    EXPECT_EQ(Found("ambiguous-name"), QStringList{"Right/OK: name \"OK\" is also Left/Ok's"});
}

TEST_F(LayoutCheckerTest, EmptyFindsCaptionlessButtonsAndPicturelessImages)
{
    AddNamedControl("Button", &root, "Named", {0, 0, 60, 25}, "&Go");
    AddNamedControl("CheckBox", &root, "Box", {0, 30, 60, 25}, "Yes");
    EXPECT_TRUE(Found("empty").isEmpty());
    AddNamedControl("RadioButton", &root, "Bare", {0, 60, 60, 25}, "&");
    AddNamedControl("Image", &root, "Pic", {0, 90, 60, 60});
    EXPECT_EQ(Found("empty"), (QStringList{"Bare: has no caption", "Pic: has no picture"}));
}

TEST_F(LayoutCheckerTest, RecheckAfterAChangeEqualsACheckOfTheWhole)
{
    QWidget *panel = AddNamedControl("Panel", &root, "Panel1", {0, 0, 200, 100});
    QWidget *moved = AddNamedControl("Button", panel, "Moved", {10, 10, 50, 20}, "Go");
    AddNamedControl("Button", panel, "Still", {100, 10, 50, 20}, "Stay");
    AddNamedControl("Button", &root, "Twin", {300, 0, 50, 20}, "x");
    AddNamedControl("Button", panel, "Twin", {10, 60, 10, 20}, "Long caption");
    TLayoutChecker checker;
    TProblemSet problems = checker.CheckSet(&root);
    const auto lines = [](const std::vector<TLayoutProblem> &list) {
        QStringList result;
        for (const TLayoutProblem &p : list)
            result << p.Check + ' ' + p.Path + ' ' + p.Message;
        result.sort();
        return result;
    };
    for (const QRect &place :
         {QRect(120, 10, 50, 20), QRect(190, 10, 50, 20), QRect(10, 10, 50, 20)}) {
        moved->setGeometry(place);
        checker.Recheck(&root, moved, problems);
        EXPECT_EQ(lines(problems.All()), lines(checker.Check(&root)));
    }
    panel->resize(60, 100);
    checker.Recheck(&root, panel, problems);
    EXPECT_EQ(lines(problems.All()), lines(checker.Check(&root)));
}

TEST_F(LayoutCheckerTest, TrackedProblemsAfterAChangeEqualACheckOfTheWhole)
{
    // A panel whose children are docked top and client: growing the top one
    // shrinks its sibling, which leaves that sibling's child outside.
    const int alTop = 1;
    const int alClient = 5;
    QWidget *host = AddNamedControl("Panel", &root, "Host", {0, 0, 300, 200});
    QWidget *top = AddNamedControl("Panel", host, "Top", {0, 0, 300, 50});
    QWidget *fill = AddNamedControl("Panel", host, "Fill", {0, 50, 300, 150});
    AddNamedControl("Button", fill, "Deep", {10, 100, 80, 25}, "Go");
    AsDesigned(top)->SetAlign(alTop);
    AsDesigned(fill)->SetAlign(alClient);
    AddNamedControl("Button", &root, "Other", {400, 0, 80, 25}, "Other");
    TLayoutChecker checker;
    TProblemTracker tracker(checker);
    const auto lines = [](const std::vector<TLayoutProblem> &list) {
        QStringList result;
        for (const TLayoutProblem &p : list)
            result << p.Check + ' ' + p.Path + ' ' + p.Message;
        return result;
    };
    EXPECT_TRUE(tracker.Update(&root));
    EXPECT_EQ(lines(tracker.Problems()), lines(checker.Check(&root)));
    EXPECT_FALSE(tracker.Update(&root));

    top->resize(300, 150);
    TAlignLayout::Realign(host);
    tracker.Changed({TDesignChange::Geometry, {top}});
    EXPECT_TRUE(tracker.Update(&root));
    EXPECT_TRUE(lines(tracker.Problems()).join('\n').contains("off-area Host/Fill/Deep"));
    EXPECT_EQ(lines(tracker.Problems()), lines(checker.Check(&root)));

    // A change it cannot place is checked as a whole.
    QWidget *twin = AddNamedControl("Button", &root, "Other", {400, 50, 80, 25}, "Twin");
    tracker.Changed({TDesignChange::Structure, {}});
    EXPECT_TRUE(tracker.Update(&root));
    EXPECT_EQ(lines(tracker.Problems()), lines(checker.Check(&root)));
    // A name is the form's: renaming one of the twins is seen at once.
    AsDesigned(twin)->SetName(QStringLiteral("Twin"));
    tracker.Changed({TDesignChange::Properties, {twin}});
    EXPECT_TRUE(tracker.Update(&root));
    EXPECT_EQ(lines(tracker.Problems()), lines(checker.Check(&root)));

    // Moved onto its twin, then raised above it: the overlap is told at
    // the one on top.
    twin->move(420, 10);
    tracker.Changed({TDesignChange::Geometry, {twin}});
    EXPECT_TRUE(tracker.Update(&root));
    EXPECT_TRUE(lines(tracker.Problems()).contains("overlap Twin overlaps Other"));
    QWidget *other = root.findChild<QWidget *>("Other");
    other->raise();
    tracker.Changed({TDesignChange::Geometry, {other}});
    EXPECT_TRUE(tracker.Update(&root));
    EXPECT_TRUE(lines(tracker.Problems()).contains("overlap Other overlaps Twin"));
    EXPECT_EQ(lines(tracker.Problems()), lines(checker.Check(&root)));
    // Moved away again, the overlap goes.
    other->move(600, 0);
    tracker.Changed({TDesignChange::Geometry, {other}});
    EXPECT_TRUE(tracker.Update(&root));
    EXPECT_EQ(lines(tracker.Problems()), lines(checker.Check(&root)));
    EXPECT_FALSE(lines(tracker.Problems()).join('\n').contains("overlap"));
}

TEST_F(LayoutCheckerTest, KeptContentAndItsReferencesAreFound)
{
    EnsureDesignerSingletons();
    QTemporaryDir dir;
    const QString file = dir.filePath("kept.xml");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(R"(<?xml version="1.0" encoding="windows-1251"?>
<root>
	<control type="Label">
		<property name="Name" value="Known"/>
		<property name="FocusControl" value="Edit1"/>
	</control>
	<control type="Label">
		<property name="Name" value="Lost"/>
		<property name="Top" value="30"/>
		<property name="FocusControl" value="Gone"/>
	</control>
	<control type="EditBox">
		<property name="Name" value="Edit1"/>
		<property name="Top" value="60"/>
	</control>
	<control type="Slider">
		<property name="Name" value="Slider1"/>
		<property name="Top" value="90"/>
	</control>
</root>)");
    out.close();
    TLXControlsContainer container(nullptr, nullptr);
    container.LoadLayout(file);
    TLayoutChecker checker;
    checker.SetChecks({"dangling-reference"});
    const auto dangling = checker.Check(container.ClientWidget());
    ASSERT_EQ(dangling.size(), 1u);
    EXPECT_EQ(dangling[0].Path, "Lost");
    EXPECT_EQ(dangling[0].Message, "FocusControl names \"Gone\", which is no control of the form");

    checker.SetChecks({"unknown-content"});
    QStringList kept;
    for (const TLayoutProblem &p : checker.Check(container.ClientWidget()))
        kept << p.Path + ": " + p.Message;
    EXPECT_EQ(kept, (QStringList{"Known: kept without being understood: property \"FocusControl\"",
                                 "Lost: kept without being understood: property \"FocusControl\"",
                                 "Slider1: kept without being understood: control of unknown kind "
                                 "\"Slider\""}));
}

TEST_F(LayoutCheckerTest, AStressedCopyShowsLargerLongerTextsAndLeavesTheDesign)
{
    TLXControlsContainer design(nullptr, nullptr);
    design.resize(400, 300);
    QWidget *panel = AddNamedControl("Panel", design.ClientWidget(), "Panel1", {10, 10, 300, 200});
    AddNamedControl("Button", panel, "Go", {5, 5, 80, 25}, "Continue");
    AddNamedControl("Label", design.ClientWidget(), "Name", {10, 220, 10, 10}, "Your name");
    auto *combo = static_cast<TLXComboBox *>(
        AddNamedControl("ComboBox", design.ClientWidget(), "Choice", {100, 220, 90, 21}));
    combo->Items()->Add("Red");
    auto *grid = static_cast<TLXStringGrid *>(
        AddNamedControl("StringGrid", panel, "Grid", {5, 40, 200, 100}));
    grid->SetCell(1, 1, QStringLiteral("Cell"));
    // The design as it opens from its file, which the copy is made from.
    const auto inspector = MakeLayoutInspector();
    const std::string before = TXmlPersistance(&design, inspector.get()).SaveToText();
    TXmlPersistance(&design, inspector.get()).LoadText(before);
    QWidget *client = design.ClientWidget();
    const auto in = [](QWidget *parent, const char *name) {
        QWidget *found = parent->findChild<QWidget *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    };
    const QImage look = client->grab().toImage();

    {
        const TStressedCopy same(&design, {});
        EXPECT_EQ(same.Client()->grab().toImage(), look);
    }

    const TTextStress stress(200, true);
    const TStressedCopy copy(&design, stress);
    auto *button = static_cast<TLXButton *>(in(client, "Go"));
    auto *bigButton = static_cast<TLXButton *>(in(copy.Client(), "Go"));
    ASSERT_TRUE(button && bigButton);
    EXPECT_EQ(bigButton->text(), stress.Text(QStringLiteral("Continue")));
    // Twice the size, not four times for a button inside a panel scaled too.
    EXPECT_DOUBLE_EQ(bigButton->font().pointSizeF(), 2 * button->font().pointSizeF());
    EXPECT_EQ(bigButton->geometry(), button->geometry());
    EXPECT_GT(in(copy.Client(), "Name")->width(), in(client, "Name")->width());
    EXPECT_EQ(static_cast<TLXComboBox *>(in(copy.Client(), "Choice"))->itemText(0),
              stress.Text("Red"));
    EXPECT_EQ(static_cast<TLXStringGrid *>(in(copy.Client(), "Grid"))->Cell(1, 1),
              stress.Text("Cell"));
    EXPECT_NE(copy.Client()->grab().toImage(), look);

    EXPECT_EQ(button->text(), "Continue");
    EXPECT_EQ(static_cast<TLXStringGrid *>(in(client, "Grid"))->Cell(1, 1), "Cell");
    EXPECT_TRUE(TXmlPersistance(&design, inspector.get()).SaveToText() == before);
    EXPECT_EQ(client->grab().toImage(), look);
}

TEST_F(LayoutCheckerTest, UnknownCheckIsRefusedWithTheKnownOnes)
{
    TLayoutChecker checker;
    try {
        checker.SetChecks({"overlap", "overlaps"});
        FAIL() << "an unknown check was taken";
    } catch (const std::exception &error) {
        EXPECT_NE(std::string(error.what()).find("\"overlaps\""), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("off-area"), std::string::npos);
    }
    EXPECT_EQ(checker.Checks(), TLayoutChecker::AllChecks());
}

} // namespace
