#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/TestPictures.h"

#include "controls/Bitmap.h"
#include "controls/InplaceEdit.h"
#include "controls/LXButton.h"
#include "controls/LXComboBox.h"
#include "controls/LXEditBox.h"
#include "controls/LXImage.h"
#include "controls/LXListBox.h"
#include "controls/LXMemo.h"
#include "controls/LXStringGrid.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace
{

struct Call {
    bool before;
    QWidget *control;
    QWidget *target;
    QEvent::Type type;
    TControlStatus status;
    QString text; // the editor text seen at the time of the call
};

// Records every hook call; answers false for the event types it is told to
// consume.
class RecordingHandler : public TDesignerMessagesHandler
{
public:
    bool BeforeMessage(QWidget *control, QEvent *event, TControlStatus status,
                       QWidget *target) override
    {
        calls.push_back({true, control, target, event->type(), status, TextOf(control, target)});
        return !consume.contains(event->type());
    }
    void AfterMessage(QWidget *control, QEvent *event, TControlStatus status,
                      QWidget *target) override
    {
        calls.push_back({false, control, target, event->type(), status, TextOf(control, target)});
    }

    static QString TextOf(QWidget *control, QWidget *target)
    {
        if (auto *edit = qobject_cast<QLineEdit *>(target ? target : control))
            return edit->text();
        return {};
    }

    // The calls for one event type, in order.
    std::vector<Call> Of(QEvent::Type type) const
    {
        std::vector<Call> out;
        for (const Call &c : calls)
            if (c.type == type)
                out.push_back(c);
        return out;
    }

    std::vector<Call> calls;
    QSet<QEvent::Type> consume;
};

class RoutingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        installed.emplace(DesignerHandler, &recorder);
    }

    RecordingHandler recorder;
    std::optional<THookGuard> installed;
    QWidget surface;
};

TEST_F(RoutingTest, EveryKindOffersEachEventBeforeAndAfter)
{
    const auto probe = static_cast<QEvent::Type>(QEvent::User + 42);
    for (int kind = 0; kind < ControlsFactory->Count(); ++kind) {
        std::unique_ptr<QWidget> control(ControlsFactory->CreateControl(kind, &surface));
        recorder.calls.clear();
        QEvent event(probe);
        QCoreApplication::sendEvent(control.get(), &event);
        const auto calls = recorder.Of(probe);
        ASSERT_EQ(calls.size(), 2u) << kind;
        EXPECT_TRUE(calls[0].before);
        EXPECT_FALSE(calls[1].before);
        EXPECT_EQ(calls[0].control, control.get());
        EXPECT_EQ(calls[1].control, control.get());
        EXPECT_EQ(calls[0].target, nullptr);
    }
}

TEST_F(RoutingTest, TheControlProcessesAnEventOnlyWhenAllowed)
{
    TLXButton button(&surface);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicked.count(), 1);

    recorder.consume = {QEvent::MouseButtonPress};
    recorder.calls.clear();
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicked.count(), 1) << "a consumed press never reaches the button";
    ASSERT_EQ(recorder.Of(QEvent::MouseButtonPress).size(), 2u);
    EXPECT_FALSE(recorder.Of(QEvent::MouseButtonPress)[1].before) << "after-hook runs anyway";
}

TEST_F(RoutingTest, TheAfterHookSeesTheProcessedEvent)
{
    TLXEditBox edit(&surface);
    QTest::keyClick(&edit, Qt::Key_A);
    const auto calls = recorder.Of(QEvent::KeyPress);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].text, "");
    EXPECT_EQ(calls[1].text, "a");
}

TEST_F(RoutingTest, InnerWidgetsRouteOnBehalfOfTheirControl)
{
    TLXListBox list(&surface);
    TLXMemo memo(&surface);
    TLXStringGrid grid(&surface);
    grid.SetControlStatus(csEdit);
    for (auto [control, inner] : {std::pair<QWidget *, QWidget *>{&list, list.viewport()},
                                  {&memo, memo.viewport()},
                                  {&grid, grid.viewport()}}) {
        recorder.calls.clear();
        QTest::mousePress(inner, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(inner, Qt::LeftButton, {}, QPoint(5, 5));
        const auto presses = recorder.Of(QEvent::MouseButtonPress);
        ASSERT_FALSE(presses.empty());
        EXPECT_TRUE(std::any_of(presses.begin(), presses.end(), [&](const Call &c) {
            return c.before && c.control == control && c.target == inner;
        }));
    }
    const auto gridCalls = recorder.Of(QEvent::MouseButtonPress);
    EXPECT_EQ(gridCalls.front().status, csEdit);
}

TEST_F(RoutingTest, ComboBoxEditorIsRoutedAndCanBeConsumed)
{
    TLXComboBox combo(&surface);
    QLineEdit *editor = combo.lineEdit();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_X);
    auto keys = recorder.Of(QEvent::KeyPress);
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys[0].control, &combo);
    EXPECT_EQ(keys[0].target, editor);
    EXPECT_EQ(keys[0].text, "");
    EXPECT_EQ(keys[1].text, "x");
    EXPECT_EQ(keys.size(), 2u) << "the editor's key press is not delivered twice";

    recorder.consume = {QEvent::KeyPress};
    QTest::keyClick(editor, Qt::Key_Y);
    EXPECT_EQ(editor->text(), "x");
}

TEST_F(RoutingTest, GridCellEditorRoutesThroughTheGrid)
{
    TLXStringGrid grid(&surface);
    grid.SetCell(1, 1, "cell");
    grid.show();
    grid.editItem(grid.item(1, 1));
    auto *editor = grid.findChild<TInplaceEdit *>();
    ASSERT_NE(editor, nullptr);
    recorder.calls.clear();
    QTest::keyClick(editor, Qt::Key_Z);
    const auto keys = recorder.Of(QEvent::KeyPress);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].control, &grid);
    EXPECT_EQ(keys[0].target, editor);
    // Fixed cells get no editor.
    EXPECT_EQ(grid.itemDelegate()->createEditor(grid.viewport(), {}, grid.model()->index(0, 0)),
              nullptr);
}

TEST_F(RoutingTest, ImageWithoutPicturePaintsWithoutTheHooks)
{
    TLXImage image(&surface);
    image.grab();
    EXPECT_TRUE(recorder.Of(QEvent::Paint).empty());

    const QByteArray bytes = BitmapFileBytes(4, 4);
    auto bitmap = BitmapOf(bytes);
    image.Picture().SetGraphic(std::move(bitmap));
    image.grab();
    EXPECT_EQ(recorder.Of(QEvent::Paint).size(), 2u);
}

} // namespace
