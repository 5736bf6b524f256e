// The window without a mouse and through a screen reader's eyes: the View
// menu's shortcuts reach each part, Enter on a palette button drops its kind,
// and the palette, surface, component tree and property grid tell names,
// roles, values and changes through the toolkit's accessibility interfaces.
#include "support/ActiveWindow.h"
#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"

#include "app/ComponentTree.h"
#include "app/Main.h"
#include "app/PaletteButton.h"
#include "controls/ControlsFactory.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "platform/AccessibleEvents.h"
#include "platform/ErrorDisplay.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

struct TSeen {
    QAccessible::Event Type;
    QObject *Object;
    int Child;
};
std::vector<TSeen> Seen;

void Record(QAccessibleEvent *event)
{
    Seen.push_back({event->type(), event->object(), event->child()});
}

class AccessibilityTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        ASSERT_TRUE(ShowActive(*form, {1200, 800}));
        Seen.clear();
    }
    void TearDown() override { form.reset(); }

    TPaletteButton *Palette(const QString &caption) const
    {
        for (TPaletteButton *button : form->PaletteButtons())
            if (button->text() == caption)
                return button;
        return nullptr;
    }
    QAction *View(const QString &caption) const
    {
        for (QAction *action : form->ViewMenu()->actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }
    QWidget *Drop(const QString &kind, QWidget *target, int x, int y)
    {
        QWidget *control = form->AddControl(Palette(kind)->Tag(), x, target, y);
        QCoreApplication::sendPostedEvents();
        return control;
    }
    static bool Announced(QAccessible::Event type, QObject *object, int child = -1)
    {
        return std::any_of(Seen.begin(), Seen.end(), [&](const TSeen &e) {
            return e.Type == type && e.Object == object && e.Child == child;
        });
    }

    std::unique_ptr<TForm1> form;
    QStringList errors;
    const THookGuard display{ErrorDisplay::Show, [this](const QString &m) { errors.append(m); }};
    const THookGuard events{AccessibleEvents::Send, Record};
};

TEST_F(AccessibilityTest, ViewMenuShortcutsGiveTheKeyboardToEachPart)
{
    const std::pair<QString, QWidget *> parts[] = {{"Palette", form->PaletteButtons().front()},
                                                   {"Design Surface", form->Container()},
                                                   {"Component Tree", form->ComponentTree()},
                                                   {"Inspector", form->ObjectInspector()}};
    QStringList keys;
    for (const auto &[caption, part] : parts) {
        QAction *action = View(caption);
        ASSERT_TRUE(action) << caption.toStdString();
        ASSERT_FALSE(action->shortcut().isEmpty()) << caption.toStdString();
        keys << action->shortcut().toString();
        QTest::keySequence(form.get(), action->shortcut());
        QWidget *focus = QApplication::focusWidget();
        ASSERT_TRUE(focus) << caption.toStdString();
        EXPECT_TRUE(focus == part || part->isAncestorOf(focus))
            << caption.toStdString() << " gave the keyboard to "
            << focus->metaObject()->className();
    }
    EXPECT_EQ(keys.removeDuplicates(), 0) << keys.join(' ').toStdString();

    // With the designer off the inspector is hidden: the shortcut says so.
    form->DisableDesignerAction()->trigger();
    QTest::keySequence(form.get(), View("Inspector")->shortcut());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().contains("inspector is not shown")) << errors.front().toStdString();
}

TEST_F(AccessibilityTest, EnterOnAPaletteButtonDropsIntoTheSelectedContainerAsOneStep)
{
    QWidget *panel = Drop("Panel", nullptr, 40, 40);
    DesignerHandler->SelectControls({panel}, false);
    TPaletteButton *button = Palette("Button");
    button->setFocus();
    const int steps = form->History()->Stack().count();
    Seen.clear();
    QTest::keyClick(button, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();

    const QList<QWidget *> inside = TControlsFactory::DesignedChildren(panel);
    ASSERT_EQ(inside.size(), 1);
    EXPECT_EQ(ControlsFactory->GetKindName(inside.front()), "Button");
    // The dropped control is selected and the surface tells what it is.
    EXPECT_EQ(DesignerHandler->Selection(), std::vector<QWidget *>{inside.front()});
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->Container())->text(QAccessible::Value),
              inside.front()->objectName() + ": Button");
    EXPECT_TRUE(Announced(QAccessible::SelectionWithin, form->Container()));
    EXPECT_EQ(form->History()->Stack().count(), steps + 1);
    // As after a drop by the mouse, the arrows now move what was dropped.
    EXPECT_EQ(QApplication::focusWidget(), form->Container());
    form->History()->Stack().undo();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(TControlsFactory::DesignedChildren(panel).isEmpty());
}

TEST_F(AccessibilityTest, PartsTellNamesRolesAndValues)
{
    QAccessibleInterface *palette = QAccessible::queryAccessibleInterface(Palette("Memo"));
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->role(), QAccessible::Button);
    EXPECT_EQ(palette->text(QAccessible::Name), "Memo");
    EXPECT_TRUE(palette->text(QAccessible::Description).contains("Enter drops a Memo"));

    QWidget *ok = Drop("Button", nullptr, 10, 10);
    ok->setObjectName("Ok");
    DesignerHandler->SelectControls({ok}, false);
    QAccessibleInterface *surface = QAccessible::queryAccessibleInterface(form->Container());
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface->role(), QAccessible::Pane);
    EXPECT_EQ(surface->text(QAccessible::Name), "Design surface");
    EXPECT_EQ(surface->text(QAccessible::Value), "Ok: Button");
    QWidget *second = Drop("EditBox", nullptr, 10, 60);
    DesignerHandler->SelectControls({ok, second}, false);
    EXPECT_EQ(surface->text(QAccessible::Value),
              "2 controls selected: Ok, " + second->objectName());
    DesignerHandler->ClearSelection();
    EXPECT_EQ(surface->text(QAccessible::Value), "No control selected");

    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(form->ComponentTree());
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->text(QAccessible::Name), "Components");
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    QStringList items;
    for (int i = 0; i < tree->childCount(); ++i)
        items << tree->child(i)->text(QAccessible::Name);
    EXPECT_TRUE(items.contains("Ok: Button")) << items.join('|').toStdString();

    DesignerHandler->SelectControls({ok}, false);
    QCoreApplication::sendPostedEvents();
    TRSObjectInspector *view = form->ObjectInspector();
    TRSCustomObjectInspector *grid = view->Inspector();
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(view);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), "Properties");
    QAccessibleTableInterface *cells = table->tableInterface();
    ASSERT_TRUE(cells);
    ASSERT_EQ(cells->columnCount(), grid->ColCount());
    ASSERT_EQ(cells->rowCount(), grid->RowCount());
    int nameRow = -1;
    for (int row = 0; row < cells->rowCount(); ++row)
        if (cells->cellAt(row, 0)->text(QAccessible::Name) == "Name")
            nameRow = row;
    ASSERT_GE(nameRow, 0);
    QAccessibleInterface *value = cells->cellAt(nameRow, 1);
    EXPECT_EQ(value->role(), QAccessible::Cell);
    EXPECT_EQ(value->text(QAccessible::Name), "Ok");
    EXPECT_EQ(table->indexOfChild(value), nameRow * cells->columnCount() + 1);
    EXPECT_EQ(value->parent(), table);
    EXPECT_TRUE(cells->selectRow(nameRow));
    EXPECT_EQ(table->text(QAccessible::Value), "Name: Ok");
    EXPECT_TRUE(value->tableCellInterface()->isSelected());
    EXPECT_EQ(cells->cellAt(cells->rowCount(), 0), nullptr);
}

TEST_F(AccessibilityTest, SelectionAndCurrentRowChangesAreAnnounced)
{
    QWidget *ok = Drop("Button", nullptr, 10, 10);
    // A drop gives the surface the keyboard; here it is elsewhere.
    form->ComponentTree()->setFocus();
    Seen.clear();
    DesignerHandler->SelectControls({ok}, false);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(Announced(QAccessible::SelectionWithin, form->Container()));
    EXPECT_TRUE(Announced(QAccessible::DescriptionChanged, form->Container()));
    EXPECT_FALSE(Announced(QAccessible::Focus, form->Container()));

    // With the keyboard on the surface the reader is also told to read it.
    form->Container()->setFocus();
    Seen.clear();
    DesignerHandler->ClearSelection();
    EXPECT_TRUE(Announced(QAccessible::Focus, form->Container()));
    EXPECT_TRUE(Announced(QAccessible::SelectionWithin, form->Container()));

    DesignerHandler->SelectControls({ok}, false);
    QCoreApplication::sendPostedEvents();
    TRSObjectInspector *view = form->ObjectInspector();
    TRSCustomObjectInspector *grid = view->Inspector();
    view->setFocus();
    const int target = grid->Row() + 2;
    Seen.clear();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    ASSERT_EQ(grid->Row(), target);
    const int cell = target * grid->ColCount() + grid->Col();
    EXPECT_TRUE(Announced(QAccessible::Selection, view, cell));
    EXPECT_TRUE(Announced(QAccessible::Focus, view, cell));
}

} // namespace
