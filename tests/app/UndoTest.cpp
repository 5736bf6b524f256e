#include "support/DesignerSingletons.h"
#include "support/SavedLayout.h"

#include "app/Main.h"
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "controls/LXPanel.h"
#include "controls/Strings.h"
#include "designer/DesignClipboard.h"
#include "designer/DesignHistory.h"
#include "designer/LXControlsContainer.h"
#include "designer/PropertyCommand.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSObjectInspector.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <random>

namespace
{

// Where two layout texts part, with a few lines of each from there.
std::string Difference(const std::string &a, const std::string &b)
{
    if (a == b)
        return "equal";
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    const size_t line = a.rfind('\n', at) == std::string::npos ? 0 : a.rfind('\n', at) + 1;
    return "first difference:\n" + a.substr(line, 300) + "\n---- against ----\n" +
           b.substr(line, 300);
}

// Every change of the design is one step of the undo history: undoing it
// gives back the layout file byte for byte, redoing it the file after it.
class UndoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->resize(1000, 700);
        form->AlignmentDialog = [this](QWidget *, const std::vector<QWidget *> &list) {
            for (QWidget *c : list)
                c->move(alignLeft, c->y());
            return true;
        };
    }
    void TearDown() override { form.reset(); }

    std::string Bytes() { return SavedLayout(*form->Container(), dir); }
    QUndoStack &Stack() { return form->History()->Stack(); }
    void Select(const std::vector<QWidget *> &controls)
    {
        DesignerHandler->SelectControls(controls, false);
    }
    // Commits a value to the selected controls through the inspector, as
    // the in-place editor does, and lets the edit finish.
    void Edit(const std::string &path, const std::string &value)
    {
        form->ShowSelection(DesignerHandler->Selection());
        QCoreApplication::sendPostedEvents();
        auto *row = static_cast<TRSItemProperty *>(
            form->ObjectInspector()->Inspector()->Items()->FindPath(path));
        // Not every kind has every property.
        if (!row) {
            EXPECT_TRUE(tolerateErrors) << path;
            return;
        }
        row->SetValue(value);
        try {
            row->Apply();
        } catch (const std::exception &) {
            // A value the property rejects changes what was written before.
            EXPECT_TRUE(tolerateErrors) << path << " = " << value;
        }
        QCoreApplication::sendPostedEvents();
    }
    // Do, undo, redo: the bytes before, before again, after again.
    template <class F> void ExpectStep(const char *what, F &&change)
    {
        const std::string before = Bytes();
        const int steps = Stack().index();
        change();
        QCoreApplication::sendPostedEvents();
        const std::string after = Bytes();
        EXPECT_TRUE(after != before) << what << " changed nothing";
        EXPECT_EQ(Stack().index(), steps + 1) << what << ": one step";
        Stack().undo();
        EXPECT_TRUE(Bytes() == before) << what << " undone: " << Difference(Bytes(), before);
        Stack().redo();
        EXPECT_TRUE(Bytes() == after) << what << " redone: " << Difference(Bytes(), after);
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    int alignLeft = 40;
    bool tolerateErrors = false;
};

TEST_F(UndoTest, EveryCommandUndoesToTheSameBytesAndRedoesToTheNext)
{
    QWidget *a = nullptr, *b = nullptr, *panel = nullptr;
    ExpectStep("drop", [&] { a = form->AddControl(1, 13, nullptr, 27); });
    EXPECT_EQ(Stack().undoText(), "Drop Control1");
    ExpectStep("drop", [&] { b = form->AddControl(2, 100, nullptr, 60); });
    ExpectStep("drop panel", [&] { panel = form->AddControl(8, 200, nullptr, 100); });
    ExpectStep("drop into panel", [&] { form->AddControl(0, 10, panel, 10); });
    Select({a, b});
    ExpectStep("move", [&] {
        form->History()->BeginGeometry(DesignerHandler->Selection());
        a->move(50, 50);
        b->move(140, 85);
        form->History()->EndGeometry("Move");
    });
    EXPECT_EQ(Stack().undoText(), "Move 2 controls");
    ExpectStep("keyboard move", [&] { form->History()->Nudge({a, b}, 1, 0, false, false); });
    ExpectStep("resize", [&] { form->History()->Nudge({a}, 0, 5, true, true); });
    ExpectStep("caption", [&] {
        Select({a});
        Edit("Caption", "Name & \"quoted\"");
    });
    EXPECT_EQ(Stack().undoText(), "Caption");
    ExpectStep("width of two", [&] {
        Select({a, b});
        Edit("Width", "77");
    });
    ExpectStep("name", [&] {
        Select({b});
        Edit("Name", "Amount");
    });
    ExpectStep("font size", [&] {
        Select({b});
        Edit("Font.Size", "14");
    });
    ExpectStep("visible", [&] {
        Select({panel});
        Edit("Visible", "False");
    });
    ExpectStep("comment lines", [&] {
        Select({a});
        form->ShowSelection({a});
        auto *row = static_cast<TRSItemProperty *>(
            form->ObjectInspector()->Inspector()->Items()->FindPath("Comment"));
        TStrings lines;
        lines.SetStrings({"first", "second"});
        row->SetObjectValue(&lines, -1);
        QCoreApplication::sendPostedEvents();
    });
    ExpectStep("bring to front", [&] {
        Select({a});
        form->mnuBringToFrontClick();
    });
    ExpectStep("send to back", [&] {
        Select({panel});
        form->mnuSendToBackClick();
    });
    ExpectStep("alignment", [&] {
        Select({a, b});
        form->mnuAlignmentClick();
    });
    ExpectStep("delete", [&] {
        Select({panel});
        form->mnuDeleteClick();
    });
    ExpectStep("duplicate", [&] {
        Select({a, b});
        form->mnuDuplicateClick();
    });
    ExpectStep("cut", [&] {
        Select({a});
        form->mnuCutClick();
    });
    ExpectStep("paste", [&] { form->mnuPasteClick(); });
    ExpectStep("clear", [&] { form->mnuClearClick(); });
}

TEST_F(UndoTest, ModifiedFollowsTheSavedStepAndNewStartsAnEmptyHistory)
{
    form->AddControl(1, 0, nullptr, 0);
    EXPECT_TRUE(form->Modified());
    form->SetFileName(dir.filePath("a.xml"));
    EXPECT_FALSE(form->Modified());
    form->AddControl(1, 50, nullptr, 0);
    EXPECT_TRUE(form->windowTitle().endsWith(" *"));
    EXPECT_EQ(form->UndoAction()->text(), "Undo Drop Control2");
    form->UndoAction()->trigger();
    EXPECT_FALSE(form->Modified()) << "back at the saved state";
    EXPECT_FALSE(form->windowTitle().endsWith(" *"));
    EXPECT_EQ(form->RedoAction()->text(), "Redo Drop Control2");
    form->UndoAction()->trigger();
    EXPECT_TRUE(form->Modified());
    form->mnuNewClick();
    EXPECT_EQ(Stack().count(), 0);
    EXPECT_FALSE(form->UndoAction()->isEnabled());
}

TEST_F(UndoTest, UndoSelectsTheTouchedControlsAndTheInspectorShowsThem)
{
    QWidget *a = form->AddControl(1, 0, nullptr, 0);
    QWidget *b = form->AddControl(1, 100, nullptr, 0);
    Select({a, b});
    form->History()->Nudge({a, b}, 5, 0, false, true);
    DesignerHandler->ClearSelection();
    Stack().undo();
    EXPECT_EQ(DesignerHandler->Selection(), (std::vector<QWidget *>{a, b}));
    EXPECT_EQ(form->Header()->text(), "Multiple");
    // Undoing a delete brings back the very controls, selected.
    Select({a});
    form->mnuDeleteClick();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(form->Container()->Controls().size(), 1);
    Stack().undo();
    EXPECT_EQ(DesignerHandler->Selection(), (std::vector<QWidget *>{a}));
    EXPECT_EQ(form->Header()->text(), "Control1: Button");
    EXPECT_EQ(form->Container()->Controls().front(), a) << "back at its place in the order";
}

TEST_F(UndoTest, KeyboardMovesOfTheSameSelectionMergeIntoOneStep)
{
    QWidget *a = form->AddControl(1, 10, nullptr, 10);
    const int steps = Stack().count();
    for (int i = 0; i < 4; ++i)
        form->History()->Nudge({a}, 1, 0, false, false);
    EXPECT_EQ(Stack().count(), steps + 1);
    EXPECT_EQ(a->x(), 14);
    Stack().undo();
    EXPECT_EQ(a->x(), 10);
}

TEST_F(UndoTest, OnePropertyStepHoldsLittle)
{
    QWidget *a = form->AddControl(1, 10, nullptr, 10);
    Select({a});
    Edit("Caption", "Total amount");
    const auto *step = dynamic_cast<const TPropertyCommand *>(Stack().command(Stack().index() - 1));
    ASSERT_NE(step, nullptr);
    EXPECT_LE(step->Bytes(), 1024u);
}

// A long random run of every kind of step, then all of it undone and redone.
class RandomUndoTest : public UndoTest, public ::testing::WithParamInterface<unsigned>
{
protected:
    std::vector<QWidget *> Siblings(QWidget *parent)
    {
        const QList<QWidget *> all = TControlsFactory::DesignedChildren(parent);
        return {all.begin(), all.end()};
    }
    std::vector<QWidget *> Containers()
    {
        std::vector<QWidget *> result{form->Container()};
        for (QWidget *w : form->Container()->widget()->findChildren<QWidget *>())
            if (dynamic_cast<TDropTarget *>(w) && AsDesigned(w))
                result.push_back(w);
        return result;
    }
    template <class T> T Pick(const std::vector<T> &items)
    {
        return items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(rng)];
    }
    int Random(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    // One to three siblings of a random container; empty when it has none.
    std::vector<QWidget *> SomeSiblings()
    {
        const std::vector<QWidget *> all = Siblings(Pick(Containers()));
        std::vector<QWidget *> some;
        for (QWidget *c : all)
            if (some.size() < 3 && Random(0, 2) == 0)
                some.push_back(c);
        if (some.empty() && !all.empty())
            some.push_back(Pick(all));
        return some;
    }

    std::mt19937 rng;
};

TEST_P(RandomUndoTest, UndoingEverythingGivesTheFirstBytesAndRedoingTheLast)
{
    rng.seed(GetParam());
    tolerateErrors = true;
    // The bytes of the design at each place of the history.
    std::vector<std::string> states{Bytes()};
    auto record = [&] {
        QCoreApplication::sendPostedEvents();
        states.resize(static_cast<size_t>(Stack().index()) + 1);
        states.back() = Bytes();
    };
    int names = 0;
    while (Stack().index() < 500) {
        std::vector<QWidget *> some = SomeSiblings();
        const int op = some.empty() ? 0 : Random(0, 12);
        switch (op) {
        case 0:
        case 1:
            form->AddControl(Random(0, 11), Random(-5, 300), Pick(Containers()), Random(0, 200));
            break;
        case 2:
            form->History()->BeginGeometry(some);
            for (QWidget *c : some)
                c->setGeometry(c->x() + Random(-20, 20), c->y() + Random(-20, 20),
                               c->width() + Random(-5, 5), c->height());
            form->History()->EndGeometry(Random(0, 1) ? "Move" : "Resize");
            break;
        case 3:
            form->History()->Nudge(some, Random(-3, 3), Random(-3, 3), Random(0, 1), Random(0, 1));
            break;
        case 4:
            form->Clipboard()->Delete(some);
            break;
        case 5:
            form->Clipboard()->Cut(some);
            record();
            form->Clipboard()->Paste({Pick(Containers())});
            break;
        case 6:
            form->Clipboard()->Duplicate(some);
            break;
        case 7:
            Select(some);
            Edit(Pick(std::vector<std::string>{"Width", "Height", "Left", "Top"}),
                 std::to_string(Random(0, 150)));
            break;
        case 8:
            Select(some);
            Edit(Pick(std::vector<std::string>{"Font.Size", "Visible", "ParentFont", "Hint"}),
                 Pick(std::vector<std::string>{"True", "False", "9", "13", "a hint"}));
            break;
        case 9:
            Select({some.front()});
            Edit("Name", QStringLiteral("N%1").arg(++names).toStdString());
            break;
        case 10:
            Select(some);
            Random(0, 1) ? form->mnuBringToFrontClick() : form->mnuSendToBackClick();
            break;
        case 11:
            Select(some);
            alignLeft = Random(0, 200);
            form->mnuAlignmentClick();
            break;
        default:
            Select({some.front()});
            Edit("Caption", "text " + std::to_string(Random(0, 99)));
            break;
        }
        record();
    }
    const int steps = Stack().index();
    for (int i = steps; i > 0; --i) {
        Stack().undo();
        const std::string &expected = states[static_cast<size_t>(i - 1)];
        ASSERT_TRUE(Bytes() == expected)
            << "undone to step " << i - 1 << " (" << Stack().command(i - 1)->text().toStdString()
            << "): " << Difference(Bytes(), expected);
    }
    EXPECT_TRUE(Bytes() == states.front());
    for (int i = 0; i < steps; ++i)
        Stack().redo();
    EXPECT_TRUE(Bytes() == states.back()) << Difference(Bytes(), states.back());
    EXPECT_GE(form->Container()->Controls().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomUndoTest, ::testing::Values(1u, 2u, 3u, 4u));

} // namespace
