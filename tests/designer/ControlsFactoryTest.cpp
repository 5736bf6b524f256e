#include "support/DesignerSingletons.h"

#include "controls/InplaceEdit.h"
#include "controls/LXButton.h"
#include "controls/LXGroupBox.h"
#include "controls/LXImage.h"
#include "controls/LXListBox.h"
#include "controls/LXPanel.h"
#include "controls/LXStringGrid.h"
#include "designer/LXControlsContainer.h"

#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace
{

class ControlsFactoryTest : public ::testing::Test
{
protected:
    void SetUp() override { EnsureDesignerSingletons(); }
    TControlsFactory &Factory() { return *ControlsFactory; }
    QWidget surface;
};

TEST_F(ControlsFactoryTest, RegistersThirteenKindsInTableOrder)
{
    const QStringList expected = {"Label",    "Button",     "EditBox",     "ListBox", "Memo",
                                  "ComboBox", "CheckBox",   "RadioButton", "Panel",   "GroupBox",
                                  "Image",    "StringGrid", "InplaceEdit"};
    EXPECT_EQ(Factory().Names(), expected);
    EXPECT_EQ(Factory().IndexOfClass(typeid(TLXStringGrid)), 11);
    EXPECT_EQ(Factory().IndexOfClass(typeid(QPushButton)), -1);
    for (int i = 0; i < Factory().Count(); ++i) {
        std::unique_ptr<QWidget> control(Factory().CreateControl(i, &surface));
        ASSERT_NE(control, nullptr) << i;
        EXPECT_EQ(control->parentWidget(), &surface);
        EXPECT_EQ(Factory().GetKindName(control.get()), expected[i]);
    }
}

TEST_F(ControlsFactoryTest, OutOfRangeAndUnknownNamesCreateNothing)
{
    EXPECT_EQ(Factory().CreateControl(-1, &surface), nullptr);
    EXPECT_EQ(Factory().CreateControl(13, &surface), nullptr);
    EXPECT_EQ(Factory().CreateControlByName("Slider", &surface), nullptr);
    EXPECT_TRUE(surface.children().isEmpty());
}

TEST_F(ControlsFactoryTest, NamesMatchWithoutRegardToCase)
{
    std::unique_ptr<QWidget> button(Factory().CreateControlByName("button", &surface));
    EXPECT_NE(dynamic_cast<TLXButton *>(button.get()), nullptr);
    std::unique_ptr<QWidget> editor(Factory().CreateControlByName("INPLACEEDIT", &surface));
    EXPECT_NE(dynamic_cast<TInplaceEdit *>(editor.get()), nullptr);
}

TEST_F(ControlsFactoryTest, KindNameNeedsTheExactClass)
{
    QPushButton plain;
    EXPECT_EQ(Factory().GetKindName(&plain), "Unregistered control");
    EXPECT_EQ(Factory().GetKindName(nullptr), "Unregistered control");
    struct Derived : TLXButton {
    };
    Derived derived;
    EXPECT_EQ(Factory().GetKindName(&derived), "Unregistered control");
}

TEST_F(ControlsFactoryTest, PanelsAndGroupBoxesInheritDropHandlers)
{
    TLXControlsContainer container(nullptr, nullptr);
    int drops = 0;
    container.SetDragMode(dmAutomatic);
    container.SetOnDragDrop([&](QWidget *, QObject *, const QPoint &) { ++drops; });

    QWidget *panel = Factory().CreateControlByName("Panel", &container);
    EXPECT_EQ(panel->parentWidget(), container.widget());
    auto *panelTarget = dynamic_cast<TDropTarget *>(panel);
    ASSERT_TRUE(panelTarget->OnDragDrop());
    EXPECT_EQ(panelTarget->DragMode(), dmAutomatic);
    EXPECT_TRUE(panel->acceptDrops());

    auto *group = dynamic_cast<TDropTarget *>(Factory().CreateControlByName("GroupBox", panel));
    ASSERT_TRUE(group->OnDragDrop());
    group->OnDragDrop()(nullptr, nullptr, {});
    EXPECT_EQ(drops, 1);

    QWidget *button = Factory().CreateControlByName("Button", panel);
    EXPECT_EQ(dynamic_cast<TDropTarget *>(button), nullptr);
    EXPECT_FALSE(button->acceptDrops());

    // A panel inside a plain widget is no drop target of the design.
    auto *loose = dynamic_cast<TDropTarget *>(Factory().CreateControlByName("Panel", &surface));
    EXPECT_FALSE(loose->OnDragDrop());
}

TEST_F(ControlsFactoryTest, CaptionOrTextFollowsTheFirstName)
{
    const QStringList shown = {"Label",    "Button",      "EditBox", "Memo",    "ComboBox",
                               "CheckBox", "RadioButton", "Panel",   "GroupBox"};
    for (const QString &kind : shown) {
        std::unique_ptr<QWidget> w(Factory().CreateControlByName(kind, &surface));
        TLXDesigned *control = AsDesigned(w.get());
        control->SetName("Control3");
        EXPECT_EQ(control->Text(), "Control3") << kind.toStdString();
        control->SetText("OK");
        control->SetName("Control4");
        EXPECT_EQ(control->Text(), "OK") << kind.toStdString();
        EXPECT_EQ(w->objectName(), "Control4");
    }
    std::unique_ptr<QWidget> list(Factory().CreateControlByName("ListBox", &surface));
    AsDesigned(list.get())->SetName("Control1");
    EXPECT_EQ(AsDesigned(list.get())->Text(), "Control1");
    std::unique_ptr<QWidget> grid(Factory().CreateControlByName("StringGrid", &surface));
    AsDesigned(grid.get())->SetName("Control2");
    EXPECT_EQ(AsDesigned(grid.get())->Text(), "");
}

TEST_F(ControlsFactoryTest, CommentIsAnOwnedCopyAndSizesAreThoseOfTheKinds)
{
    QStringList lines = {"first", "second"};
    TLXButton button;
    button.SetComment(lines);
    lines[0] = "changed";
    lines.append("third");
    EXPECT_EQ(button.Comment(), QStringList({"first", "second"}));
    EXPECT_TRUE(TLXListBox().Comment().isEmpty());

    EXPECT_EQ(TLXButton().size(), QSize(75, 25));
    EXPECT_EQ(TLXListBox().size(), QSize(121, 97));
    EXPECT_EQ(TLXPanel().size(), QSize(185, 41));
    EXPECT_EQ(TLXGroupBox().size(), QSize(185, 105));
    EXPECT_EQ(TLXImage().size(), QSize(100, 100));
    EXPECT_EQ(TLXStringGrid().ControlStatus(), csDefault);
}

} // namespace
