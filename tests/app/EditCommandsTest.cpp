#include "support/DesignerSingletons.h"

#include "app/Main.h"
#include "app/RecentFiles.h"
#include "controls/LXDesigned.h"
#include "designer/DesignClipboard.h"
#include "designer/DesignHistory.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "platform/ErrorDisplay.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBox>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

QStringList Names(const QList<QWidget *> &controls)
{
    QStringList names;
    for (QWidget *c : controls)
        names << c->objectName();
    return names;
}

std::vector<QWidget *> Selection()
{
    return DesignerHandler->Selection();
}

TEST(ClipboardTest, ControlsTravelBetweenTwoDesignersAndKeepFreeNames)
{
    EnsureDesignerSingletons();
    TForm1 first, second;
    QWidget *panel = first.AddControl(8, 10, nullptr, 10);
    first.AddControl(1, 5, panel, 5);
    QWidget *edit = first.AddControl(2, 200, nullptr, 20);
    first.Clipboard()->Copy({panel, edit});
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(TDesignClipboard::MimeType));
    EXPECT_TRUE(data->text().startsWith("<?xml")) << "the same layout as text";

    // Into an empty designer: same names, same places, the panel's button
    // inside it.
    const std::vector<QWidget *> pasted = second.Clipboard()->Paste({});
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(Names(second.Container()->Controls()), QStringList({"Control1", "Control2"}));
    EXPECT_EQ(pasted[0]->pos(), QPoint(10, 10));
    EXPECT_EQ(Names(TControlsFactory::DesignedChildren(pasted[0])), QStringList({"Control1"}));
    EXPECT_EQ(second.History()->Stack().undoText(), "Paste 2 controls");

    // Again: the names are taken, and the copies would cover the originals.
    const std::vector<QWidget *> again = second.Clipboard()->Paste({});
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0]->objectName(), "Control3");
    EXPECT_EQ(again[1]->objectName(), "Control4");
    EXPECT_EQ(again[0]->pos(), QPoint(15, 15));

    // Into a selected panel.
    const std::vector<QWidget *> inside = second.Clipboard()->Paste({pasted[0]});
    ASSERT_EQ(inside.size(), 2u);
    EXPECT_EQ(TControlPath::DesignParent(inside[0], second.Container()), pasted[0]);
    EXPECT_EQ(Names(TControlsFactory::DesignedChildren(pasted[0])),
              QStringList({"Control1", "Control3", "Control2"}));
    second.History()->Stack().undo();
    EXPECT_EQ(TControlsFactory::DesignedChildren(pasted[0]).size(), 1);
}

TEST(ClipboardTest, ForeignTextChangesNothingAndALayoutWithABadValueIsAnError)
{
    EnsureDesignerSingletons();
    TForm1 form;
    form.AddControl(1, 0, nullptr, 0);
    const int steps = form.History()->Stack().count();
    QMimeData text;
    text.setText("just some words");
    EXPECT_TRUE(form.Clipboard()->Paste({}, &text).empty());
    EXPECT_EQ(form.StatusText(), "The clipboard holds no controls to paste");
    text.setText("<root><control type=\"Button\"><property name=\"Left\" value=\"x\"/></control>"
                 "</root>");
    EXPECT_ANY_THROW(form.Clipboard()->Paste({}, &text)) << "a value the control rejects";
    EXPECT_EQ(form.Container()->Controls().size(), 1);
    EXPECT_EQ(form.History()->Stack().count(), steps);
    // A layout pasted as text.
    text.setText("<root><control type=\"Label\"><property name=\"Name\" value=\"Caption\"/>"
                 "</control></root>");
    EXPECT_EQ(form.Clipboard()->Paste({}, &text).size(), 1u);
    EXPECT_EQ(Names(form.Container()->Controls()), QStringList({"Control1", "Caption"}));
}

TEST(ClipboardTest, PastedTextTheCodePageCannotHoldIsRefusedWhole)
{
    EnsureDesignerSingletons();
    TForm1 form;
    form.AddControl(1, 0, nullptr, 0);
    const int steps = form.History()->Stack().count();
    const auto layout = [](const QString &caption) {
        return QStringLiteral("<root><control type=\"Label\"><property name=\"Name\" "
                              "value=\"Label1\"/><property name=\"Caption\" value=\"%1\"/>"
                              "</control></root>")
            .arg(caption);
    };
    QMimeData text;
    text.setText(layout(QString::fromUtf8("na\u00efve \u4e2d")));
    try {
        form.Clipboard()->Paste({}, &text);
        ADD_FAILURE() << "the paste was taken";
    } catch (const std::exception &e) {
        // The message names the characters themselves.
        EXPECT_TRUE(ErrorDisplay::MessageOf(e).endsWith(
            QString::fromUtf8("cannot be stored in the layout's code page: \u00ef, \u4e2d")))
            << e.what();
    }
    EXPECT_EQ(form.Container()->Controls().size(), 1);
    EXPECT_EQ(form.History()->Stack().count(), steps);

    const QString cyrillic = QString::fromUtf8("\u0422\u0435\u043a\u0441\u0442 \u20ac");
    text.setText(layout(cyrillic));
    const std::vector<QWidget *> pasted = form.Clipboard()->Paste({}, &text);
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(static_cast<QLabel *>(pasted[0])->text(), cyrillic);
}

// The keyboard and the selection band, through real events on a shown and
// active window.
class SurfaceInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->resize(1000, 700);
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        a = form->AddControl(1, 20, nullptr, 20);
        b = form->AddControl(1, 120, nullptr, 20);
        c = form->AddControl(1, 20, nullptr, 200);
        client = form->Container()->widget();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(form->windowHandle(), key, mods);
        QCoreApplication::sendPostedEvents();
    }

    std::unique_ptr<TForm1> form;
    QWidget *a = nullptr, *b = nullptr, *c = nullptr, *client = nullptr;
};

TEST_F(SurfaceInputTest, ABandSelectsTheControlsItTouchesAndAClickStillClears)
{
    QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(client, QPoint(60, 40));
    QTest::mouseMove(client, QPoint(130, 30));
    QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(130, 30));
    EXPECT_EQ(Selection(), (std::vector<QWidget *>{a, b}));
    EXPECT_EQ(form->StatusText(), "Selected 2 control(s)");
    // Shift adds what the next band touches.
    QTest::mousePress(client, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 190));
    QTest::mouseMove(client, QPoint(30, 210));
    QTest::mouseMove(client, QPoint(40, 215));
    QTest::mouseRelease(client, Qt::LeftButton, Qt::ShiftModifier, QPoint(40, 215));
    EXPECT_EQ(Selection(), (std::vector<QWidget *>{a, b, c}));
    // Empty surface, wherever the window's docks leave its corner.
    QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier,
                      client->rect().bottomRight() - QPoint(10, 10));
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ(form->Header()->text(), "<None>");
}

TEST_F(SurfaceInputTest, ABandInsideAPanelSelectsItsControls)
{
    QWidget *panel = form->AddControl(8, 300, nullptr, 300);
    panel->resize(200, 120);
    QWidget *inner = form->AddControl(1, 40, panel, 40);
    QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseMove(panel, QPoint(40, 30));
    QTest::mouseMove(panel, QPoint(60, 50));
    QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, QPoint(60, 50));
    EXPECT_EQ(Selection(), (std::vector<QWidget *>{inner}));
    EXPECT_EQ(panel->pos(), QPoint(300, 300)) << "the panel did not move";
    // A click without a drag selects the panel as before.
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(150, 100));
    EXPECT_EQ(Selection(), (std::vector<QWidget *>{panel}));
    // Esc from its control selects the panel; Esc there selects nothing.
    DesignerHandler->SelectControls({inner}, false);
    form->Container()->setFocus();
    Key(Qt::Key_Escape);
    EXPECT_EQ(Selection(), (std::vector<QWidget *>{panel}));
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Selection().empty());
}

TEST_F(SurfaceInputTest, ArrowsMoveAndResizeTheSelectionAsOneUndoableStep)
{
    // A click on a control hands the keyboard to the surface.
    QTest::mouseClick(a, Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    ASSERT_EQ(Selection(), (std::vector<QWidget *>{a}));
    const int steps = form->History()->Stack().count();
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(a->pos(), QPoint(22, 21));
    EXPECT_EQ(form->History()->Stack().count(), steps + 1) << "the presses merge";
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(a->pos(), QPoint(25, 21)) << "by the grid step, snapped along that axis";
    const QSize size = a->size();
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(a->size(), size + QSize(1, 0));
    EXPECT_EQ(form->UndoAction()->text(), "Undo Resize Control1");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(a->size(), size);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(a->pos(), QPoint(20, 20));
    EXPECT_EQ(form->History()->Stack().count(), steps + 2);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(a->pos(), QPoint(25, 21));

    // Ctrl+A takes every control of the container; Delete removes them as
    // one step, and Ctrl+Z brings them back.
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Selection().size(), 3u);
    Key(Qt::Key_Delete);
    EXPECT_TRUE(form->Container()->Controls().isEmpty());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Container()->Controls().size(), 3);
    EXPECT_EQ(Selection().size(), 3u);
    // Copy and paste by keys.
    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->Container()->Controls().size(), 6);
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(form->Container()->Controls().size(), 9);
}

TEST(RecentFilesTest, KeepsTheLastEightAndDropsAFileThatIsGone)
{
    EnsureDesignerSingletons();
    QTemporaryDir dir;
    auto form = std::make_unique<TForm1>();
    for (int i = 0; i < 10; ++i) {
        const QString file = dir.filePath(QStringLiteral("f%1.xml").arg(i));
        form->AddControl(1, 0, nullptr, 0);
        form->Container()->SaveLayout(file);
        form->RecentFiles()->Add(file);
    }
    EXPECT_EQ(form->RecentFiles()->Files().size(), 8);
    EXPECT_EQ(form->RecentFiles()->Files().front(), dir.filePath("f9.xml"));
    EXPECT_EQ(form->RecentFilesMenu()->actions().size(), 8);
    // Kept for the next run.
    form = std::make_unique<TForm1>();
    ASSERT_EQ(form->RecentFiles()->Files().size(), 8);
    QString message;
    form->ShowMessage = [&](const QString &text) { message = text; };
    QFile::remove(dir.filePath("f8.xml"));
    form->RecentFilesMenu()->actions().value(1)->trigger();
    EXPECT_TRUE(message.contains("f8.xml"));
    EXPECT_EQ(form->RecentFiles()->Files().size(), 7);
    form->RecentFilesMenu()->actions().value(0)->trigger();
    EXPECT_EQ(form->FileName(), dir.filePath("f9.xml"));
    EXPECT_EQ(form->Container()->Controls().size(), 10);
}

TEST(WindowStateTest, InspectorShowsTheSelectionAgainAfterSavingAndTheLayoutIsRemembered)
{
    EnsureDesignerSingletons();
    QTemporaryDir dir;
    auto form = std::make_unique<TForm1>();
    form->Navigate = [](int, const QString &) {};
    form->show();
    QWidget *a = form->AddControl(1, 0, nullptr, 0);
    DesignerHandler->SelectControls({a}, false);
    form->SetFileName(dir.filePath("x.xml"));
    form->mnuSaveClick();
    EXPECT_EQ(form->ObjectInspector()->Component(), AsDesigned(a));
    form->MainPages()->setCurrentIndex(1);
    form->MainPages()->setCurrentIndex(0);
    EXPECT_EQ(form->ObjectInspector()->Component(), AsDesigned(a));

    form->CategorizeAction()->trigger();
    form->ControlsPane()->setCurrentIndex(2);
    form->Splitter()->setSizes({150, 500, 250});
    const QList<int> sizes = form->Splitter()->sizes();
    form->SaveWindowState();
    form = std::make_unique<TForm1>();
    form->show();
    form->RestoreWindowState();
    EXPECT_TRUE(form->CategorizeAction()->isChecked());
    EXPECT_TRUE(form->ObjectInspector()->Inspector()->ArrangeByCategory());
    EXPECT_EQ(form->ControlsPane()->currentIndex(), 2);
    EXPECT_EQ(form->Splitter()->sizes(), sizes);
}

} // namespace
