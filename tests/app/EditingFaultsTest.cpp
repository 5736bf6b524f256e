#include "support/ActiveWindow.h"
#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/TypeText.h"

#include "app/ComponentTree.h"
#include "app/Main.h"
#include "app/PaletteButton.h"
#include "app/PaletteFilter.h"
#include "app/RecentFiles.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "platform/ErrorDisplay.h"
#include "platform/SettingsFile.h"
#include "presets/RSPresetDialogs.h"
#include "propgrid/RSInplaceEditList.h"
#include "reflection/TypInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

std::vector<QWidget *> Selection()
{
    return DesignerHandler->Selection();
}

int64_t TabOrder(QWidget *control)
{
    return TypInfo::GetOrdProp(AsDesigned(control), "TabOrder");
}

// The faults a user meets in the first minutes of editing, driven by real
// mouse and key events on a shown, active window.
class EditingFaultsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        ASSERT_TRUE(ShowActive(*form, {1200, 800}));
        client = form->Container()->widget();
        view = form->ObjectInspector();
        grid = view->Inspector();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(form->windowHandle(), key, mods);
        QCoreApplication::sendPostedEvents();
    }
    void Click(QWidget *control, QPoint at = QPoint(5, 5))
    {
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, at);
        QCoreApplication::sendPostedEvents();
    }
    TPaletteButton *PaletteButton(const QString &caption) const
    {
        for (TPaletteButton *button : form->PaletteButtons())
            if (button->text() == caption)
                return button;
        return nullptr;
    }
    // Drops a palette button on the surface as its drop event does: the
    // offscreen platform runs no drag of its own. The press on the button
    // gave it the keyboard, as it does for a user.
    void DropFromPalette(const QString &caption, const QPoint &to)
    {
        TPaletteButton *button = PaletteButton(caption);
        ASSERT_TRUE(button && button->isVisible()) << caption.toStdString();
        button->setFocus(Qt::MouseFocusReason);
        form->MainPanelDragDrop(form->Container(), button, to);
        QCoreApplication::sendPostedEvents();
    }
    // Types a value into a shown row of the inspector and commits it.
    void TypeRow(const std::string &path, const QString &text)
    {
        QCoreApplication::sendPostedEvents();
        TRSItemProp *row = grid->Items()->FindPath(path);
        const auto &shown = grid->DisplayedRows();
        const auto it = std::find(shown.begin(), shown.end(), row);
        ASSERT_NE(it, shown.end()) << path;
        const int line = grid->FixedItems() + static_cast<int>(it - shown.begin());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->CellRect(1, line).center());
        QApplication::processEvents();
        TRSInplaceEditList *editor = view->Editor();
        ASSERT_TRUE(editor && editor->isVisible());
        editor->selectAll();
        TypeText(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
    }
    QAction *Command(const QString &menu, const QString &caption) const
    {
        for (QAction *top : form->menuBar()->actions())
            if (top->text() == menu)
                for (QAction *action : top->menu()->actions())
                    if (action->text() == caption)
                        return action;
        ADD_FAILURE() << caption.toStdString();
        static QAction none;
        return &none;
    }
    // The text the value cell of a row shows.
    std::string ShownValue(const std::string &path) const
    {
        TRSItemProp *row = grid->Items()->FindPath(path);
        const auto &shown = grid->DisplayedRows();
        const auto it = std::find(shown.begin(), shown.end(), row);
        if (it == shown.end())
            return "<no row>";
        return grid->GetCellText(1, grid->FixedItems() + static_cast<int>(it - shown.begin()));
    }
    // Whether the pixel at a corner handle of the control has the colour
    // of a handle, as the user sees the window.
    bool HandleShownAt(QWidget *control)
    {
        QCoreApplication::sendPostedEvents();
        const QPoint corner = control->geometry().bottomRight() - QPoint(1, 1);
        const QImage image = control->parentWidget()->grab().toImage();
        const QColor seen = image.pixelColor(corner);
        return seen == DesignerHandler->SelectedBrush || seen == DesignerHandler->HotBrush;
    }

    QString error;
    const THookGuard errors{ErrorDisplay::Show, [this](const QString &text) { error = text; }};
    std::unique_ptr<TForm1> form;
    QWidget *client = nullptr;
    TRSObjectInspector *view = nullptr;
    TRSCustomObjectInspector *grid = nullptr;
};

TEST_F(EditingFaultsTest, ADropSelectsTheNewControlAndGivesTheSurfaceTheKeyboard)
{
    DropFromPalette("Button", QPoint(40, 40));
    ASSERT_EQ(form->Container()->Controls().size(), 1);
    QWidget *button = form->Container()->Controls().front();
    Click(button);
    DropFromPalette("Label", QPoint(40, 200));
    ASSERT_EQ(form->Container()->Controls().size(), 2);
    QWidget *label = form->Container()->Controls().back();
    EXPECT_EQ(Selection(), (std::vector<QWidget *>{label}));
    EXPECT_EQ(form->Header()->text(), "Control2: Label");
    EXPECT_TRUE(form->Container()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == form->Container());
    // The keys act on the new control: arrows move it, Delete removes it.
    Key(Qt::Key_Right);
    EXPECT_EQ(label->x(), 41);
    Key(Qt::Key_Delete);
    EXPECT_EQ(form->Container()->Controls(), QList<QWidget *>{button});

    // A drop lands on the grid only while snapping to it.
    DropFromPalette("Label", QPoint(43, 207));
    EXPECT_EQ(form->Container()->Controls().back()->pos(), QPoint(40, 205));
    DesignerHandler->SnapToGrid = false;
    DropFromPalette("Label", QPoint(43, 307));
    DesignerHandler->SnapToGrid = true;
    EXPECT_EQ(form->Container()->Controls().back()->pos(), QPoint(43, 307));
}

TEST_F(EditingFaultsTest, APasteLandsInsideThePanelAndCopiesTakeTheNextTabPlaces)
{
    QWidget *edit = form->AddControl(2, 460, nullptr, 20);
    QWidget *second = form->AddControl(2, 460, nullptr, 60);
    QWidget *panel = form->AddControl(8, 10, nullptr, 120);
    panel->resize(415, 200);
    form->AddControl(1, 10, panel, 10);
    DesignerHandler->SelectControls({edit, second}, false);
    Key(Qt::Key_C, Qt::ControlModifier);
    Click(panel, QPoint(200, 5));
    ASSERT_EQ(Selection(), (std::vector<QWidget *>{panel}));
    Key(Qt::Key_V, Qt::ControlModifier);
    const QList<QWidget *> inside = TControlsFactory::DesignedChildren(panel);
    ASSERT_EQ(inside.size(), 3);
    const QRect visible = panel->rect();
    for (QWidget *c : {inside[1], inside[2]})
        EXPECT_TRUE(visible.contains(c->geometry())) << c->x() << "," << c->y();
    EXPECT_EQ(inside[2]->pos() - inside[1]->pos(), QPoint(0, 40)) << "the arrangement is kept";
    EXPECT_EQ(TabOrder(inside[1]), 1);
    EXPECT_EQ(TabOrder(inside[2]), 2);
    // Again: the spot is taken, so the copies move on and stay inside.
    DesignerHandler->SelectControls({panel}, false);
    Key(Qt::Key_V, Qt::ControlModifier);
    const QList<QWidget *> again = TControlsFactory::DesignedChildren(panel);
    ASSERT_EQ(again.size(), 5);
    EXPECT_NE(again[3]->pos(), inside[1]->pos());
    EXPECT_TRUE(visible.contains(again[3]->geometry()));

    // A duplicate on the surface takes the next free place of the surface.
    DesignerHandler->SelectControls({edit}, false);
    Key(Qt::Key_D, Qt::ControlModifier);
    std::vector<int64_t> orders;
    for (QWidget *c : form->Container()->Controls())
        orders.push_back(TabOrder(c));
    EXPECT_EQ(orders, (std::vector<int64_t>{0, 1, 2, 3}));
}

TEST_F(EditingFaultsTest, TheDisplayFollowsRenamesBandsUndoAndStacking)
{
    QWidget *a = form->AddControl(1, 20, nullptr, 20);
    Click(a);
    TypeRow("Name", "OkButton");
    EXPECT_EQ(form->Header()->text(), "OkButton: Button");
    EXPECT_EQ(form->StatusText(), "Selected OkButton: Button");

    // Two controls whose widths differ, set alike and undone: the row
    // shows no value again.
    QWidget *b = form->AddControl(1, 20, nullptr, 80);
    b->resize(120, b->height());
    DesignerHandler->SelectControls({a, b}, false);
    TypeRow("Width", "90");
    EXPECT_EQ(ShownValue("Width"), "90");
    form->Container()->setFocus();
    Key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(b->width(), 120);
    ASSERT_EQ(Selection().size(), 2u);
    EXPECT_EQ(ShownValue("Width"), "");

    // A control sent to the back under another keeps its handles in view.
    QWidget *cover = form->AddControl(1, 60, nullptr, 30);
    cover->resize(a->width(), a->height());
    Click(a);
    form->mnuSendToBackClick();
    EXPECT_TRUE(HandleShownAt(a));

    // A band inside a panel selects its controls; once they are deleted,
    // nothing shows handles.
    QWidget *panel = form->AddControl(8, 300, nullptr, 300);
    panel->resize(200, 120);
    form->AddControl(1, 40, panel, 40);
    QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseMove(panel, QPoint(40, 30));
    QTest::mouseMove(panel, QPoint(60, 50));
    QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, QPoint(60, 50));
    ASSERT_EQ(Selection().size(), 1u);
    Key(Qt::Key_Delete);
    EXPECT_TRUE(TControlsFactory::DesignedChildren(panel).isEmpty());
    EXPECT_TRUE(Selection().empty());
    EXPECT_FALSE(HandleShownAt(panel));
}

TEST_F(EditingFaultsTest, AGridMoveAlongOneAxisSnapsOnlyThatAxis)
{
    QWidget *a = form->AddControl(1, 20, nullptr, 20);
    a->move(22, 57);
    Click(a, QPoint(20, 10));
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(a->pos(), QPoint(25, 57));
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(a->pos(), QPoint(25, 60));
    a->resize(73, 27);
    Key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(a->size(), QSize(75, 27));
}

TEST_F(EditingFaultsTest, TextThatIsNoLayoutIsToldAsNothingToPaste)
{
    form->AddControl(1, 20, nullptr, 20);
    const int steps = form->History()->Stack().count();
    for (const char *text : {"<root><control type=\"Button\"><property name=\"Left\" value=\"1\"/>",
                             "<control <<", "<html><body>hi</body></html>"}) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
        EXPECT_FALSE(Command("Edit", "Paste")->isEnabled()) << text;
        form->Container()->setFocus();
        Key(Qt::Key_V, Qt::ControlModifier);
        // The command, as it runs when the clipboard changed unnoticed.
        form->mnuPasteClick();
        EXPECT_TRUE(error.isEmpty()) << text << ": " << error.toStdString();
        EXPECT_EQ(form->StatusText(), "The clipboard holds no controls to paste") << text;
    }
    EXPECT_EQ(form->Container()->Controls().size(), 1);
    EXPECT_EQ(form->History()->Stack().count(), steps);
}

TEST_F(EditingFaultsTest, TheMenusFollowTheSelectionAndTheStatusBarItsGeometry)
{
    const QStringList selectionCommands = {
        "Cut", "Copy", "Duplicate", "Delete", "Alignment...", "Bring To Front", "Send To Back"};
    for (const QString &caption : selectionCommands)
        EXPECT_FALSE(Command("Edit", caption)->isEnabled()) << caption.toStdString();
    QWidget *a = form->AddControl(1, 20, nullptr, 20);
    QWidget *b = form->AddControl(2, 200, nullptr, 40);
    for (const QString &caption : selectionCommands)
        EXPECT_TRUE(Command("Edit", caption)->isEnabled()) << caption.toStdString();
    auto *geometry = form->findChild<QLabel *>(QStringLiteral("GeometryStatus"));
    ASSERT_TRUE(geometry && geometry->isVisible());
    const auto text = [](const QRect &r) {
        return QStringLiteral("%1, %2   %3 \u00d7 %4")
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height());
    };
    EXPECT_EQ(geometry->text(), text(b->geometry()));

    // While a control is dragged, and after a key moved it.
    const QPoint grip = a->mapToGlobal(QPoint(10, 10));
    QTest::mousePress(a, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    for (const QPoint &step : {QPoint(20, 10), QPoint(30, 20)})
        QTest::mouseMove(a, a->mapFromGlobal(grip + step));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(a->pos(), QPoint(50, 40));
    EXPECT_EQ(geometry->text(), text(a->geometry()));
    QTest::mouseRelease(a, Qt::LeftButton, Qt::NoModifier, a->mapFromGlobal(grip + QPoint(30, 20)));
    Key(Qt::Key_Down);
    EXPECT_EQ(geometry->text(), text(a->geometry()));

    // Select All takes both; the status shows their bounds.
    Command("Edit", "Select All")->trigger();
    EXPECT_EQ(Selection().size(), 2u);
    EXPECT_EQ(geometry->text(), text(a->geometry().united(b->geometry())));
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(Command("Edit", "Paste")->isEnabled());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(geometry->text().isEmpty());
    EXPECT_FALSE(Command("Edit", "Copy")->isEnabled());
}

TEST_F(EditingFaultsTest, ADoubleClickEditsTheObviousValueAsOneStep)
{
    auto *memo = static_cast<QPlainTextEdit *>(form->AddControl(4, 20, nullptr, 20));
    auto *button = static_cast<QPushButton *>(form->AddControl(1, 20, nullptr, 200));
    std::vector<std::string> offered;
    const THookGuard strings{PresetDialogs().StringsEditor,
                             [&](const std::vector<std::string> &lines, bool, bool) {
                                 offered = lines;
                                 return std::optional<std::vector<std::string>>{{"one", "two"}};
                             }};
    const QString before = memo->toPlainText();
    const int steps = form->History()->Stack().count();
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    // The editing runs after the click, and its step after the editing.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(memo->toPlainText(), "one\ntwo");
    EXPECT_EQ(form->History()->Stack().count(), steps + 1);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(offered.empty()) << "the editor got the memo's lines";
    EXPECT_EQ(memo->toPlainText(), before);

    // On a button the inspector's editor opens on its caption.
    QTest::mouseDClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCoreApplication::sendPostedEvents();
    TRSInplaceEditList *editor = view->Editor();
    ASSERT_TRUE(editor && editor->isVisible());
    EXPECT_EQ(editor->text(), button->text());
    EXPECT_EQ(grid->CurrentRow(), grid->Items()->FindPath("Caption"));
    TypeText(editor, "Go");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(button->text(), "Go");
    EXPECT_EQ(form->History()->Stack().index(), steps + 1) << "one step, after the undone one";
    EXPECT_EQ(form->History()->Stack().undoText(), "Caption");
}

TEST_F(EditingFaultsTest, TheDocksComeBackAsTheyWereLeftAndTheViewMenuShowsThem)
{
    auto *dock = form->findChild<QDockWidget *>(QStringLiteral("ComponentsDock"));
    ASSERT_TRUE(dock);
    dock->setFloating(true);
    dock->resize(333, 444);
    form->SaveWindowState();
    form = std::make_unique<TForm1>();
    form->show();
    form->RestoreWindowState();
    dock = form->findChild<QDockWidget *>(QStringLiteral("ComponentsDock"));
    EXPECT_TRUE(dock->isFloating());
    EXPECT_EQ(dock->size(), QSize(333, 444));

    QMenu *viewMenu = nullptr;
    for (QAction *action : form->menuBar()->actions())
        if (action->text() == "View")
            viewMenu = action->menu();
    ASSERT_TRUE(viewMenu);
    QAction *components = nullptr;
    for (QAction *action : viewMenu->actions())
        if (action->text() == "Components")
            components = action;
    ASSERT_TRUE(components);
    dock->close();
    EXPECT_FALSE(components->isChecked());
    components->trigger();
    EXPECT_TRUE(dock->isVisible());
}

TEST_F(EditingFaultsTest, TheFirstWindowHasRoomToWork)
{
    {
        const std::unique_ptr<QSettings> settings = TRecentFiles::Settings();
        for (const char *key : {"Geometry", "WindowState", "Splitter"})
            settings->remove(QLatin1String(key));
        SettingsFile::Save(*settings);
    }
    form = std::make_unique<TForm1>();
    EXPECT_FALSE(form->RestoreWindowState());
    form->show();
    QCoreApplication::sendPostedEvents();
    const QRect room = form->screen()->availableGeometry();
    EXPECT_GE(form->frameGeometry().width(), room.width() * 8 / 10);
    EXPECT_GE(form->frameGeometry().height(), room.height() * 8 / 10);
    // The surface is the widest part.
    const int surface = form->Container()->width();
    EXPECT_GT(surface, form->PaletteFilter()->width());
    EXPECT_GT(surface, form->ObjectInspector()->width());
    EXPECT_GT(surface, form->ComponentTree()->width());
}

} // namespace
