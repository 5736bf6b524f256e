// A control of a kind the designer does not know, opened from a layout, is
// designed like any other through the real design-time handler and undo
// history, and is written back with everything it held.
#include "support/DesignerSingletons.h"
#include "support/SavedLayout.h"

#include "app/ComponentTree.h"
#include "app/Main.h"
#include "controls/ControlsFactory.h"
#include "controls/LXPlaceholder.h"
#include "designer/ComponentTreeModel.h"
#include "designer/DesignHistory.h"
#include "designer/LXControlsContainer.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <functional>

namespace
{

class UnknownKindTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->resize(1000, 700);
        shownByWindow = form->ShowNotice;
        form->ShowNotice = [this](const QString &text) { notices << text; };
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override { form.reset(); }

    std::string Bytes()
    {
        QCoreApplication::sendPostedEvents();
        return SavedLayout(*form->Container(), dir);
    }
    QUndoStack &Stack() { return form->History()->Stack(); }
    TLXPlaceholder *Placeholder()
    {
        for (QWidget *c : form->Container()->Controls())
            if (auto *p = dynamic_cast<TLXPlaceholder *>(c))
                return p;
        return nullptr;
    }

    void WriteFile(const QString &file, const char *text)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    QStringList notices;
    std::function<void(const QString &)> shownByWindow;
};

TEST_F(UnknownKindTest, AnUnknownControlIsSelectedMovedDeletedAndUndoneLikeAnyOther)
{
    const QString file = dir.filePath("foreign.xml");
    WriteFile(file,
              "<root><control type=\"Button\"><property name=\"Name\" value=\"Go\"/>"
              "<property name=\"Left\" value=\"10\"/></control>"
              "<control type=\"Slider\"><property name=\"Name\" value=\"Volume\"/>"
              "<property name=\"Left\" value=\"100\"/><property name=\"Top\" value=\"50\"/>"
              "<property name=\"Width\" value=\"120\"/><property name=\"Height\" value=\"30\"/>"
              "<property name=\"Max\" value=\"9\"/><ticks every=\"3\"/>"
              "<control type=\"Knob\"><property name=\"Name\" value=\"Inner\"/></control>"
              "</control></root>");
    form->OpenLayout(file);
    ASSERT_EQ(notices.size(), 1) << "one notice, which does not block";
    EXPECT_TRUE(notices[0].contains("kind \"Slider\" (1 control)")) << notices[0].toStdString();
    TLXPlaceholder *slider = Placeholder();
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->geometry(), QRect(100, 50, 120, 30));
    QCoreApplication::sendPostedEvents();
    TComponentTreeModel *model = form->ComponentTree()->Model();
    EXPECT_EQ(model->IndexOf(slider).data().toString(), "Volume: Slider");
    const std::string opened = Bytes();
    EXPECT_NE(opened.find("<ticks every=\"3\"/>"), std::string::npos);

    // Selected by a click, moved by a drag: one step, undone to the bytes.
    QTest::mousePress(slider, Qt::LeftButton, {}, {20, 10});
    QTest::mouseRelease(slider, Qt::LeftButton, {}, {20, 10});
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(DesignerHandler->Selection(), std::vector<QWidget *>{slider});
    const int steps = Stack().index();
    QTest::mousePress(slider, Qt::LeftButton, {}, {20, 10});
    QTest::mouseMove(slider, {45, 32});
    QTest::mouseRelease(slider, Qt::LeftButton, {}, {45, 32});
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Stack().index(), steps + 1);
    const std::string moved = Bytes();
    EXPECT_NE(moved.find("\"Left\" value=\"" + std::to_string(slider->x()) + "\""),
              std::string::npos);
    EXPECT_NE(slider->pos(), QPoint(100, 50));
    Stack().undo();
    EXPECT_EQ(Bytes(), opened);
    Stack().redo();
    EXPECT_EQ(Bytes(), moved);

    // Deleted with the menu command, and back whole on undo.
    DesignerHandler->SelectControls({slider}, false);
    form->mnuDeleteClick();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Placeholder(), nullptr);
    EXPECT_EQ(Bytes().find("Slider"), std::string::npos);
    Stack().undo();
    ASSERT_NE(Placeholder(), nullptr);
    EXPECT_EQ(Bytes(), moved);
}

// The notice is a message box beside the window, which takes input while it
// shows; a layout without foreign content shows none.
TEST_F(UnknownKindTest, TheNoticeLeavesTheWindowUsable)
{
    form->ShowNotice = shownByWindow;
    const auto boxes = [] {
        QList<QMessageBox *> shown;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                shown << box;
        return shown;
    };
    WriteFile(dir.filePath("plain.xml"), "<root><control type=\"Button\"/></root>");
    form->OpenLayout(dir.filePath("plain.xml"));
    EXPECT_TRUE(boxes().isEmpty());

    WriteFile(dir.filePath("foreign.xml"),
              "<root><control type=\"Button\"><property name=\"Zoom\" value=\"2\"/></control>"
              "<control type=\"Slider\"/><control type=\"Slider\"/></root>");
    form->OpenLayout(dir.filePath("foreign.xml"));
    const QList<QMessageBox *> shown = boxes();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0]->text().contains("kind \"Slider\" (2 controls)"))
        << shown[0]->text().toStdString();
    EXPECT_TRUE(shown[0]->text().contains("property \"Zoom\""));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(shown[0]->isModal());
    // The design takes commands meanwhile.
    const int controls = form->Container()->Controls().size();
    form->AddControl(1, 300, nullptr, 300);
    EXPECT_EQ(form->Container()->Controls().size(), controls + 1);
    shown[0]->close();
}

} // namespace
