#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/TypeText.h"

#include "controls/Cursors.h"
#include "controls/LXButton.h"
#include "controls/LXComboBox.h"
#include "controls/LXEditBox.h"
#include "controls/LXListBox.h"
#include "controls/LXMemo.h"
#include "controls/LXPanel.h"
#include "controls/LXStringGrid.h"
#include "platform/ErrorDisplay.h"

#include <QItemSelectionModel>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace
{

// A fresh handler per test, installed as the program's handler.
class HandlerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        installed.emplace(DesignerHandler, &handler);
        handler.OnSelect = [this](QObject *, QWidget *control, bool cleared) {
            selects.push_back({control, cleared});
        };
        handler.OnChange = [this](QObject *) { ++changes; };
        surface.resize(600, 400);
        surface.show();
    }

    TLXButton *Button(int x, int y, int w = 100, int h = 50)
    {
        auto *b = new TLXButton(&surface);
        b->setGeometry(x, y, w, h);
        b->show();
        return b;
    }

    // Presses at from (client point), moves by delta, releases.
    void Drag(QWidget *control, QPoint from, QPoint delta, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(control, Qt::LeftButton, mods, from);
        QTest::mouseMove(control, from + delta);
        QTest::mouseRelease(control, Qt::LeftButton, mods, from + delta);
    }

    TDesignerMessagesHandler handler;
    std::optional<THookGuard> installed;
    QWidget surface;
    std::vector<std::pair<QWidget *, bool>> selects;
    int changes = 0;
};

TEST_F(HandlerTest, SnapTruncatesTowardZero)
{
    EXPECT_EQ(handler.Snap(7), 5);
    EXPECT_EQ(handler.Snap(12), 10);
    EXPECT_EQ(handler.Snap(15), 15);
    EXPECT_EQ(handler.Snap(-3), 0);
    EXPECT_EQ(handler.Snap(-7), -5);
}

TEST_F(HandlerTest, HandlesLieInsideTheClientAndOverlapInHitOrder)
{
    const QRect client(0, 0, 100, 50);
    EXPECT_EQ(handler.HandleRect(client, 1), QRect(0, 0, 4, 4));
    EXPECT_EQ(handler.HandleRect(client, 2), QRect(48, 0, 4, 4));
    EXPECT_EQ(handler.HandleRect(client, 5), QRect(96, 23, 4, 4));
    EXPECT_EQ(handler.HandleRect(client, 8), QRect(96, 46, 4, 4));
    EXPECT_FALSE(handler.HandleRect(client, 0).contains(QPoint(-1, -1)));

    TLXButton *b = Button(0, 0);
    EXPECT_EQ(handler.HandleAt(b, {0, 0}), 1);
    EXPECT_EQ(handler.HandleAt(b, {99, 49}), 8);
    EXPECT_EQ(handler.HandleAt(b, {50, 49}), 7);
    EXPECT_EQ(handler.HandleAt(b, {4, 4}), 0);
    EXPECT_EQ(handler.HandleAt(b, {100, 0}), 0) << "right edges are exclusive";
    // On a 6 x 6 control every handle overlaps; 8 is tested first.
    TLXButton *tiny = Button(200, 0, 6, 6);
    EXPECT_EQ(handler.HandleAt(tiny, {2, 2}), 8);
    EXPECT_EQ(handler.HandleAt(tiny, {0, 0}), 1);
    EXPECT_EQ(handler.HandleAt(tiny, {5, 0}), 3);
}

TEST_F(HandlerTest, MovingSnapsEveryPositionToTheGrid)
{
    TLXButton *b = Button(12, 12);
    for (auto [dx, expected] : {std::pair{1, 10}, {3, 15}, {8, 20}}) {
        b->move(12, 12);
        Drag(b, {30, 20}, {dx, 0});
        EXPECT_EQ(b->x(), expected) << dx;
        EXPECT_EQ(b->y(), 10);
    }
    b->move(10, 10);
    Drag(b, {30, 20}, {-17, -13});
    EXPECT_EQ(b->pos(), QPoint(-5, 0));
    EXPECT_EQ(changes, 4);
    EXPECT_FALSE(handler.Dragging());
    EXPECT_EQ(b->Cursor(), crDefault) << "the saved cursor is given back on release";
}

TEST_F(HandlerTest, TopLeftHandleResizesFromTheOppositeCorner)
{
    TLXButton *b = Button(20, 20, 100, 50);
    Drag(b, {1, 1}, {7, 7});
    EXPECT_EQ(b->geometry(), QRect(25, 25, 95, 45));

    TLXButton *c = Button(200, 100, 100, 50);
    Drag(c, {98, 48}, {13, 6}); // handle 8
    EXPECT_EQ(c->geometry(), QRect(200, 100, 110, 55));
    Drag(c, {0, 25}, {-12, 0}); // handle 4: left edge moves, right edge stays
    EXPECT_EQ(c->geometry(), QRect(185, 100, 125, 55));
}

TEST_F(HandlerTest, ShiftAddsSiblingsAndTheyMoveTogether)
{
    TLXButton *a = Button(10, 10);
    TLXButton *b = Button(200, 10);
    QTest::mouseClick(a, Qt::LeftButton, {}, {30, 20});
    QTest::mouseClick(b, Qt::LeftButton, Qt::ShiftModifier, {30, 20});
    ASSERT_EQ(handler.Selection().size(), 2u);
    Drag(b, {30, 20}, {20, 10}, Qt::ShiftModifier);
    EXPECT_EQ(a->pos(), QPoint(30, 20));
    EXPECT_EQ(b->pos(), QPoint(220, 20));

    // A control of another parent is refused without an event.
    auto *panel = new TLXPanel(&surface);
    panel->setGeometry(300, 200, 150, 100);
    panel->show();
    auto *inner = new TLXButton(panel);
    inner->show();
    const size_t events = selects.size();
    handler.SelectControl(inner, true);
    EXPECT_EQ(handler.Selection().size(), 2u);
    EXPECT_EQ(selects.size(), events);
    handler.SelectControl(a, true);
    EXPECT_EQ(selects.size(), events) << "re-adding a selected control raises nothing";

    // A plain click collapses the selection, with an event even when repeated.
    QTest::mouseClick(a, Qt::LeftButton, {}, {30, 20});
    QTest::mouseClick(a, Qt::LeftButton, {}, {30, 20});
    EXPECT_EQ(handler.Selection(), std::vector<QWidget *>{a});
    EXPECT_EQ(selects.size(), events + 2);
}

TEST_F(HandlerTest, ContextMenuAddsTheControlAndOpensThePopup)
{
    QMenu menu;
    menu.addAction("Bring To Front");
    handler.PopupMenu = &menu;
    TLXButton *a = Button(10, 10);
    TLXButton *b = Button(200, 10);
    handler.SelectControl(a, false);
    QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5}, b->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(b, &event);
    EXPECT_EQ(handler.Selection().size(), 2u);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

TEST_F(HandlerTest, DisablingClearsTheSelectionAndPassesEverything)
{
    TLXButton *a = Button(10, 10);
    handler.SelectControl(a, false);
    handler.SetEnabled(false);
    EXPECT_TRUE(handler.Selection().empty());
    ASSERT_FALSE(selects.empty());
    EXPECT_EQ(selects.back(), std::make_pair(static_cast<QWidget *>(nullptr), true));
    int clicks = 0;
    QObject::connect(a, &QPushButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(a, Qt::LeftButton, {}, {30, 20});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(a->pos(), QPoint(10, 10));
}

TEST_F(HandlerTest, TypingTheCodePageCannotHoldIsRefusedWithTheDesignerDisabled)
{
    handler.SetEnabled(false);
    QStringList shown;
    const THookGuard display(ErrorDisplay::Show, [&](const QString &m) { shown << m; });
    TLXEditBox edit(&surface);
    TLXMemo memo(&surface);
    for (QWidget *control : {static_cast<QWidget *>(&edit), static_cast<QWidget *>(&memo)}) {
        TypeText(control, QString::fromUtf8("a\u00e9\u0416"));
        QCoreApplication::sendPostedEvents();
    }
    EXPECT_EQ(edit.text(), QString::fromUtf8("a\u0416"));
    EXPECT_EQ(memo.toPlainText(), QString::fromUtf8("a\u0416"));
    // A control that takes no text is not concerned.
    TLXButton *button = Button(10, 10);
    TypeText(button, QString::fromUtf8("\u00e9"));
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].endsWith(QString::fromUtf8("code page: \u00e9")))
        << shown[0].toStdString();
}

TEST_F(HandlerTest, DesignPressNeverReachesTheControl)
{
    TLXButton *a = Button(10, 10);
    int clicks = 0;
    QObject::connect(a, &QPushButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(a, Qt::LeftButton, {}, {30, 20});
    QTest::mouseDClick(a, Qt::LeftButton, {}, {30, 20});
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(a->hasFocus());
}

TEST_F(HandlerTest, DestroyedControlsLeaveTheSelectionSilently)
{
    QPointer<TLXButton> a = Button(10, 10);
    TLXButton *b = Button(200, 10);
    handler.SelectControl(a, false);
    handler.SelectControl(b, true);
    const size_t events = selects.size();
    delete a.data();
    EXPECT_EQ(handler.Selection(), std::vector<QWidget *>{b});
    EXPECT_EQ(selects.size(), events);
}

TEST_F(HandlerTest, HoverShowsSizingCursorsAndLeaveRestoresTheSavedOne)
{
    TLXButton *a = Button(10, 10);
    QTest::mouseMove(a, {1, 1});
    EXPECT_EQ(a->Cursor(), crSizeNWSE);
    QTest::mouseMove(a, {50, 1});
    EXPECT_EQ(a->Cursor(), crSizeNS);
    QTest::mouseMove(a, {99, 1});
    EXPECT_EQ(a->Cursor(), crSizeNESW);
    QTest::mouseMove(a, {0, 25});
    EXPECT_EQ(a->Cursor(), crSizeWE);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(a, &leave);
    EXPECT_EQ(a->Cursor(), crDefault);
}

TEST_F(HandlerTest, HandlesAreDrawnOverCompositeControls)
{
    auto *memo = new TLXMemo(&surface);
    auto *list = new TLXListBox(&surface);
    auto *combo = new TLXComboBox(&surface);
    auto *grid = new TLXStringGrid(&surface);
    for (QWidget *c : std::initializer_list<QWidget *>{memo, list, combo, grid}) {
        c->show();
        const QColor grey(128, 128, 128), red(128, 0, 0);
        const QPoint corners[] = {
            {1, 1}, {c->width() - 2, c->height() - 2}, {c->width() / 2, c->height() - 2}};
        handler.SelectControl(c, false);
        QImage shot = c->grab().toImage();
        for (QPoint p : corners)
            EXPECT_EQ(shot.pixelColor(p), grey) << c->metaObject()->className();
        QTest::mouseMove(c, {c->width() / 2, c->height() / 2});
        shot = c->grab().toImage();
        EXPECT_EQ(shot.pixelColor(corners[1]), red) << c->metaObject()->className();
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(c, &leave);
        shot = c->grab().toImage();
        EXPECT_EQ(shot.pixelColor(corners[1]), grey) << c->metaObject()->className();
    }
}

TEST_F(HandlerTest, EditableGridTakesTheMouseButIsStillSelected)
{
    auto *grid = new TLXStringGrid(&surface);
    grid->setGeometry(10, 10, 330, 130);
    grid->SetControlStatus(csEdit);
    grid->show();
    QMenu menu;
    handler.PopupMenu = &menu;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(150, 60));
    EXPECT_EQ(handler.Selection(), std::vector<QWidget *>{grid});
    EXPECT_EQ(grid->pos(), QPoint(10, 10));
    EXPECT_FALSE(grid->selectionModel()->selectedIndexes().isEmpty())
        << "the grid selected a cell itself";
    QTest::mouseMove(grid->viewport(), {1, 1});
    EXPECT_EQ(grid->Cursor(), crDefault) << "no sizing cursors in edit mode";
    QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5}, grid->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(grid, &event);
    EXPECT_FALSE(menu.isVisible());
}

} // namespace
