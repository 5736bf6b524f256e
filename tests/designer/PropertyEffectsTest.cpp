#include "support/DesignerSingletons.h"

#include "controls/Cursors.h"
#include "controls/Font.h"
#include "controls/LXButton.h"
#include "controls/LXCheckBox.h"
#include "controls/LXComboBox.h"
#include "controls/LXEditBox.h"
#include "controls/LXGroupBox.h"
#include "controls/LXLabel.h"
#include "controls/LXListBox.h"
#include "controls/LXMemo.h"
#include "controls/LXPanel.h"
#include "controls/LXRadioButton.h"
#include "controls/LXStringGrid.h"
#include "controls/Strings.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"
#include "reflection/TypInfo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextOption>
#include <gtest/gtest.h>

using namespace TypInfo;

namespace
{

// Sets properties as the inspector writes them, by their value texts, and
// looks at what the widgets then show.
class PropertyEffectsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        surface.resize(600, 400);
        surface.show();
    }
    void TearDown() override { DesignerHandler->SetEnabled(true); }

    template <class T> T *Make(QWidget *parent = nullptr)
    {
        auto *c = static_cast<T *>(ControlsFactory->CreateControl(
            ControlsFactory->IndexOfClass(typeid(T)), parent ? parent : &surface));
        c->show();
        return c;
    }
    static void Set(TLXDesigned *c, const char *name, const char *text)
    {
        WriteFromVariant(c, name, TVariant(std::string(text)));
    }
    // Runs the window as a user meets it with the designer turned off.
    void RunTime()
    {
        DesignerHandler->SetEnabled(false);
        surface.show();
        QApplication::setActiveWindow(&surface);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&surface));
    }
    static QImage Grab(QWidget *w) { return w->grab().toImage(); }
    // Rows of the image holding a pixel darker than the given grey level.
    static int InkRows(const QImage &image, const QRect &area, int level = 128)
    {
        int rows = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < level) {
                    ++rows;
                    break;
                }
        return rows;
    }
    // The leftmost column of the area holding a dark pixel, or -1.
    static int FirstInkColumn(const QImage &image, const QRect &area)
    {
        for (int x = area.left(); x <= area.right(); ++x)
            for (int y = area.top(); y <= area.bottom(); ++y)
                if (qGray(image.pixel(x, y)) < 128)
                    return x;
        return -1;
    }

    QWidget surface;
};

TEST_F(PropertyEffectsTest, LabelAcceleratorMarksAreHiddenOnlyWithShowAccelChar)
{
    auto *marked = Make<TLXLabel>();
    auto *plain = Make<TLXLabel>();
    Set(marked, "Caption", "&File");
    Set(plain, "Caption", "File");
    EXPECT_EQ(marked->width(), plain->width()) << "the & is not shown";
    EXPECT_EQ(GetStrProp(marked, "Caption"), "&File");

    Set(marked, "ShowAccelChar", "False");
    EXPECT_GT(marked->width(), plain->width()) << "the & shows as it is";
    Set(plain, "Caption", "A&B");
    Set(plain, "ShowAccelChar", "False");
    Set(marked, "Caption", "A&&B");
    Set(marked, "ShowAccelChar", "True");
    EXPECT_EQ(marked->width(), plain->width()) << "&& shows one &";

    // With a focus control the caption still shows as it is when asked to.
    auto *edit = Make<TLXEditBox>();
    SetObjectProp(marked, "FocusControl", edit);
    Set(marked, "ShowAccelChar", "False");
    Set(marked, "Caption", "A&B");
    EXPECT_EQ(marked->width(), plain->width());
    EXPECT_EQ(GetObjectProp(marked, "FocusControl"), edit);
}

TEST_F(PropertyEffectsTest, BevelsAreDrawnOnTheChosenEdgesOfEveryEditLikeKind)
{
    auto *label = Make<TLXLabel>();
    Set(label, "Caption", "Bevelled");
    const int bare = label->width();
    Set(label, "BevelKind", "bkTile");
    EXPECT_EQ(label->width(), bare + 4) << "two cuts on both sides";
    const QRgb dark = label->palette().color(QPalette::Dark).rgb();
    EXPECT_EQ(Grab(label).pixel(0, label->height() / 2), dark) << "outer cut lowered";
    Set(label, "BevelEdges", "[beTop,beRight,beBottom]");
    EXPECT_EQ(label->width(), bare + 2);
    EXPECT_NE(Grab(label).pixel(0, label->height() / 2), dark);
    Set(label, "BevelOuter", "bvRaised");
    EXPECT_EQ(Grab(label).pixel(label->width() / 2, 0),
              label->palette().color(QPalette::Light).rgb());

    auto *edit = Make<TLXEditBox>();
    const int editHeight = edit->height();
    std::vector<TLXDesigned *> kinds = {edit, Make<TLXMemo>(), Make<TLXListBox>(),
                                        Make<TLXComboBox>()};
    for (TLXDesigned *c : kinds) {
        QWidget *w = c->Widget();
        const int x = qobject_cast<QAbstractScrollArea *>(w) ? w->contentsRect().left() : 0;
        const QPoint probe(x, w->height() / 2);
        const QRgb before = Grab(w).pixel(probe);
        Set(c, "BevelKind", "bkFlat");
        EXPECT_EQ(Grab(w).pixel(probe), w->palette().color(QPalette::Dark).rgb())
            << w->metaObject()->className();
        Set(c, "BevelKind", "bkNone");
        EXPECT_EQ(Grab(w).pixel(probe), before) << w->metaObject()->className();
    }
    Set(edit, "BevelKind", "bkSoft");
    EXPECT_EQ(edit->height(), editHeight + 4) << "the auto-sized edit makes room";
}

TEST_F(PropertyEffectsTest, EditShowsItsPasswordCharacterAndKeepsOrDropsSelections)
{
    auto *edit = Make<TLXEditBox>();
    Set(edit, "Text", "abc");
    // The inspector shows and takes the character by its code.
    Set(edit, "PasswordChar", "42");
    EXPECT_EQ(edit->displayText(), "***");
    Set(edit, "PasswordChar", "35");
    EXPECT_EQ(edit->displayText(), "###");
    Set(edit, "PasswordChar", "0");
    EXPECT_EQ(edit->displayText(), "abc");

    auto *other = Make<TLXEditBox>();
    other->move(0, 50);
    Set(other, "Text", "xyz");
    RunTime();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_TRUE(other->hasFocus());
    EXPECT_EQ(other->selectedText(), "xyz") << "AutoSelect selects on entry";
    Set(other, "AutoSelect", "False");
    QTest::keyClick(other, Qt::Key_Backtab);
    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_TRUE(other->hasFocus());
    EXPECT_FALSE(other->hasSelectedText());

    // The selection stays after the focus leaves only without HideSelection.
    other->setSelection(0, 2);
    edit->setFocus();
    EXPECT_FALSE(other->hasSelectedText());
    Set(other, "HideSelection", "False");
    other->setFocus();
    other->setSelection(0, 2);
    edit->setFocus();
    EXPECT_EQ(other->selectedText(), "xy");
}

TEST_F(PropertyEffectsTest, MemoLimitsTypingWantsReturnsAndHidesItsSelection)
{
    auto *memo = Make<TLXMemo>();
    auto *edit = Make<TLXEditBox>();
    edit->move(0, 150);
    RunTime();
    memo->setFocus();
    Set(memo, "MaxLength", "5");
    QTest::keyClicks(memo, "abc");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "defg");
    EXPECT_EQ(memo->toPlainText(), "abc\nd") << "five characters, the line break one of them";
    Set(memo, "MaxLength", "0");
    Set(memo, "WantReturns", "False");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "e");
    EXPECT_EQ(memo->toPlainText(), "abc\nde");
    QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), "abc\nde\n") << "Ctrl+Enter still starts a line";

    memo->selectAll();
    edit->setFocus();
    EXPECT_FALSE(memo->textCursor().hasSelection()) << "HideSelection hides it";
    memo->setFocus();
    EXPECT_EQ(memo->textCursor().selectedText().size(), memo->toPlainText().size())
        << "and gives it back";
    Set(memo, "HideSelection", "False");
    edit->setFocus();
    EXPECT_TRUE(memo->textCursor().hasSelection());
}

TEST_F(PropertyEffectsTest, ListBoxLaysOutColumnsHeightsTabsAndScrollRange)
{
    auto *list = Make<TLXListBox>();
    QStringList lines;
    for (int i = 0; i < 12; ++i)
        lines << QString("Item %1").arg(i);
    list->Items()->SetLines(lines);
    const int rowHeight = list->visualItemRect(list->item(0)).height();
    const auto columnsOf = [&] {
        std::set<int> xs;
        for (int i = 0; i < list->count(); ++i)
            xs.insert(list->visualItemRect(list->item(i)).x());
        return xs;
    };
    EXPECT_EQ(columnsOf().size(), 1u);
    Set(list, "Columns", "3");
    const int column = list->viewport()->width() / 3;
    std::set<int> xs = columnsOf();
    ASSERT_GE(xs.size(), 3u);
    EXPECT_EQ(*std::next(xs.begin()), column);
    EXPECT_EQ(*std::next(xs.begin(), 2), 2 * column);
    Set(list, "Columns", "0");

    // ItemHeight shows in the owner-drawn styles only.
    Set(list, "ItemHeight", "30");
    EXPECT_EQ(list->visualItemRect(list->item(1)).height(), rowHeight);
    Set(list, "Style", "lbOwnerDrawFixed");
    EXPECT_EQ(list->visualItemRect(list->item(1)).height(), 30);
    EXPECT_EQ(list->visualItemRect(list->item(1)).top(), 30);

    // IntegralHeight trims the list to whole items of the given height.
    list->resize(121, 100);
    Set(list, "IntegralHeight", "True");
    const int chrome = 2 * list->frameWidth();
    EXPECT_EQ(list->height(), chrome + 90);
    Set(list, "Style", "lbStandard");
    EXPECT_EQ(list->height(), chrome + (100 - chrome) / rowHeight * rowHeight)
        << "fitted into the height given, not the trimmed one";
    Set(list, "ScrollWidth", "400");
    QApplication::processEvents();
    EXPECT_TRUE(list->horizontalScrollBar()->isVisible());
    EXPECT_EQ(list->viewport()->height() % rowHeight, 0) << "the scroll bar takes its own room";
    Set(list, "ScrollWidth", "0");
    Set(list, "IntegralHeight", "False");

    // Tab stops: a tab-led item's text starts at the list's stop.
    list->Items()->SetLines({"\tX"});
    const QRect row = list->visualItemRect(list->item(0));
    const auto textStart = [&] { return FirstInkColumn(Grab(list->viewport()), row); };
    const int eightChars = textStart();
    Set(list, "TabWidth", "64");
    const int sixteenChars = textStart();
    const int average = list->fontMetrics().averageCharWidth();
    EXPECT_NEAR(sixteenChars - eightChars, 8 * average, 2);

    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
    Set(list, "ScrollWidth", "400");
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 400 - list->viewport()->width());
    EXPECT_EQ(GetOrdProp(list, "ScrollWidth"), 400);
}

TEST_F(PropertyEffectsTest, ListBoxSearchesByTypedLettersWhenTheDesignerIsOff)
{
    auto *list = Make<TLXListBox>();
    list->Items()->SetLines({"carrot", "cherry", "hazel"});
    RunTime();
    list->setFocus();
    QTest::keyClicks(list, "ch");
    EXPECT_EQ(list->currentRow(), 1) << "AutoComplete finds the item starting with both";
    Set(list, "AutoComplete", "False");
    list->setCurrentRow(-1);
    QTest::keyClicks(list, "ch");
    EXPECT_EQ(list->currentRow(), 2) << "each letter on its own";
}

TEST_F(PropertyEffectsTest, ComboBoxStylesItemHeightAndHeightAfterTheFont)
{
    auto *box = Make<TLXComboBox>();
    box->Items()->SetLines({"one", "two", "three"});
    const int height = box->height();
    box->Font()->SetSize(24);
    EXPECT_GT(box->height(), height + 10) << "a larger font is not clipped";
    EXPECT_EQ(box->height(), box->sizeHint().height());
    box->Font()->SetSize(8);

    Set(box, "Style", "csSimple");
    ASSERT_NE(box->SimpleList(), nullptr);
    EXPECT_TRUE(box->SimpleList()->isVisible());
    EXPECT_TRUE(box->isEditable());
    EXPECT_GT(box->height(), box->SimpleList()->y());
    EXPECT_GE(box->SimpleList()->y(), box->lineEdit()->geometry().bottom());
    box->resize(145, 150);
    EXPECT_EQ(box->SimpleList()->geometry().bottom(), 149) << "the list fills the box below";
    box->showPopup();
    EXPECT_FALSE(box->view()->isVisible()) << "nothing drops down";

    Set(box, "Style", "csOwnerDrawFixed");
    EXPECT_FALSE(box->SimpleList()->isVisible());
    EXPECT_EQ(box->height(), box->sizeHint().height());
    Set(box, "ItemHeight", "31");
    box->showPopup();
    EXPECT_EQ(box->view()->visualRect(box->model()->index(1, 0)).height(), 31);
    box->hidePopup();
    Set(box, "Style", "csDropDownList");
    box->showPopup();
    EXPECT_NE(box->view()->visualRect(box->model()->index(1, 0)).height(), 31);
    box->hidePopup();
}

TEST_F(PropertyEffectsTest, ComboBoxDropsClosesAndCompletesWhenTheDesignerIsOff)
{
    auto *box = Make<TLXComboBox>();
    box->Items()->SetLines({"carrot", "cherry", "hazel"});
    RunTime();
    box->setFocus();
    QTest::keyClicks(box->lineEdit(), "ch");
    EXPECT_EQ(box->currentText(), "cherry") << "completed from the items";
    box->lineEdit()->clear();
    Set(box, "AutoComplete", "False");
    QTest::keyClicks(box->lineEdit(), "ch");
    EXPECT_EQ(box->currentText(), "ch");

    Set(box, "Style", "csDropDownList");
    box->setFocus();
    box->setCurrentIndex(-1);
    QTest::keyClicks(box, "ch");
    EXPECT_EQ(box->currentIndex(), 2) << "each letter on its own";

    EXPECT_FALSE(box->view()->isVisible());
    Set(box, "AutoDropDown", "True");
    QTest::keyClicks(box, "c");
    EXPECT_TRUE(box->view()->isVisible()) << "typing drops the list";
    QTest::keyClick(box->view(), Qt::Key_Down);
    EXPECT_TRUE(box->view()->isVisible());
    box->hidePopup();

    Set(box, "AutoCloseUp", "True");
    box->setCurrentIndex(0);
    box->showPopup();
    QTest::keyClick(box->view(), Qt::Key_Down);
    EXPECT_FALSE(box->view()->isVisible()) << "a key choice closes the list";
    EXPECT_EQ(box->currentIndex(), 1);
}

TEST_F(PropertyEffectsTest, CaptionsWrapInsideButtonsCheckAndRadioButtons)
{
    std::vector<TLXDesigned *> kinds = {Make<TLXButton>(), Make<TLXCheckBox>(),
                                        Make<TLXRadioButton>()};
    for (TLXDesigned *c : kinds) {
        QWidget *w = c->Widget();
        w->resize(90, 60);
        Set(c, "Caption", "wrapping words here");
        const int line = w->fontMetrics().height();
        const QRect all(QPoint(), w->size());
        // Only the caption's ink: the check and radio boxes' marks are left
        // of it, the button's frame round it.
        const QRect caption = all.adjusted(qobject_cast<QPushButton *>(w) ? 4 : 24, 4, -4, -4);
        EXPECT_LE(InkRows(Grab(w), caption, 80), line) << w->metaObject()->className();
        Set(c, "WordWrap", "True");
        EXPECT_GT(InkRows(Grab(w), caption, 80), line + 3) << w->metaObject()->className();
    }
}

TEST_F(PropertyEffectsTest, EscapeClicksTheCancelButtonOnlyWhenTheDesignerIsOff)
{
    auto *button = Make<TLXButton>();
    auto *edit = Make<TLXEditBox>();
    edit->move(0, 40);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    Set(button, "Cancel", "True");
    QApplication::setActiveWindow(&surface);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&surface));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(clicks, 0) << "while designing";
    RunTime();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
    Set(button, "Cancel", "False");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
}

TEST_F(PropertyEffectsTest, PanelFitsItsChildrenAndBackgroundsFollowParentBackground)
{
    auto *panel = Make<TLXPanel>();
    panel->move(100, 100);
    auto *button = Make<TLXButton>(panel);
    button->setGeometry(10, 10, 75, 25);
    EXPECT_EQ(panel->size(), QSize(185, 41));
    Set(panel, "AutoSize", "True");
    const int inset = panel->contentsMargins().right();
    EXPECT_EQ(panel->size(), QSize(85 + inset, 35 + inset));
    button->move(50, 40);
    EXPECT_EQ(panel->size(), QSize(125 + inset, 65 + inset)) << "follows its child";
    Set(panel, "BevelInner", "bvLowered");
    EXPECT_EQ(panel->size(), QSize(125 + inset + 1, 65 + inset + 1));

    // Whatever the parent paints shows through only with ParentBackground.
    auto *outer = Make<TLXPanel>();
    outer->setGeometry(0, 0, 200, 60);
    Set(outer, "Caption", "WWWWWWWW");
    Set(outer, "Alignment", "taLeftJustify");
    auto *groupBox = Make<TLXGroupBox>(outer);
    auto *inner = Make<TLXPanel>(outer);
    for (QWidget *w : {static_cast<QWidget *>(groupBox), static_cast<QWidget *>(inner)}) {
        w->setGeometry(0, 0, 200, 60);
        w->raise();
        TLXDesigned *c = AsDesigned(w);
        Set(c, "Caption", "");
        if (w == inner)
            Set(c, "BevelOuter", "bvNone");
        const QRect text(2, 25, 80, 10);
        const int showing = InkRows(outer->grab().toImage(), text);
        EXPECT_GT(showing, 0) << w->metaObject()->className();
        Set(c, "ParentBackground", "False");
        EXPECT_EQ(InkRows(outer->grab().toImage(), text), 0) << w->metaObject()->className();
        w->hide();
    }
}

TEST_F(PropertyEffectsTest, StringGridLinesDrawingAndFocusSelection)
{
    auto *grid = Make<TLXStringGrid>();
    grid->resize(330, 130);
    grid->SetCell(1, 1, "Text");
    QWidget *view = grid->viewport();
    const int lineX = grid->columnWidth(0) - 1;
    const int fixedY = grid->rowHeight(0) / 2;
    const int cellY = grid->rowHeight(0) + grid->rowHeight(1) / 2;
    const QRgb line = grid->palette().color(QPalette::Mid).rgb();
    const auto at = [&](int x, int y) { return Grab(view).pixel(x, y); };
    EXPECT_EQ(at(lineX, fixedY), line);
    EXPECT_EQ(at(lineX, cellY), line);
    Set(grid, "Options", "[goFixedHorzLine,goVertLine,goHorzLine]");
    EXPECT_NE(at(lineX, fixedY), line) << "no vertical line in the fixed row";
    const int column1 = 2 * grid->columnWidth(0) - 1;
    EXPECT_EQ(at(column1, cellY), line);
    Set(grid, "Options", "[goFixedVertLine,goFixedHorzLine,goHorzLine]");
    EXPECT_EQ(at(lineX, cellY), line) << "a fixed column keeps its line";
    EXPECT_NE(at(column1, cellY), line);

    Set(grid, "Options", "[goFixedVertLine,goFixedHorzLine,goVertLine,goHorzLine]");
    EXPECT_NE(at(lineX - 2, cellY), line);
    Set(grid, "GridLineWidth", "3");
    EXPECT_EQ(at(lineX - 2, cellY), line) << "three pixels wide";

    const QRect cell = grid->visualRect(grid->model()->index(1, 1)).adjusted(2, 2, -4, -4);
    EXPECT_GT(InkRows(Grab(view), cell), 0);
    Set(grid, "DefaultDrawing", "False");
    EXPECT_EQ(InkRows(Grab(view), cell), 0) << "the text is left undrawn";
    Set(grid, "DefaultDrawing", "True");

    EXPECT_FALSE(grid->horizontalScrollBar()->hasTracking());
    Set(grid, "Options", "[goVertLine,goThumbTracking]");
    EXPECT_TRUE(grid->horizontalScrollBar()->hasTracking());
    EXPECT_TRUE(grid->verticalScrollBar()->hasTracking());

    // The focused cell shows selected only with goDrawFocusSelected.
    RunTime();
    grid->setFocus();
    grid->setCurrentCell(2, 2);
    const QPoint focused = grid->visualRect(grid->model()->index(2, 2)).center();
    const QColor highlight = grid->palette().color(QPalette::Active, QPalette::Highlight);
    // The style shades the selection a little.
    const auto selected = [&] {
        const QColor c = at(focused.x(), focused.y());
        return std::abs(c.red() - highlight.red()) + std::abs(c.green() - highlight.green()) +
                   std::abs(c.blue() - highlight.blue()) <
               12;
    };
    EXPECT_FALSE(selected());
    Set(grid, "Options", "[goVertLine,goDrawFocusSelected]");
    EXPECT_TRUE(selected());
}

TEST_F(PropertyEffectsTest, StringGridRowsAndColumnsSizeAndMoveByTheirFixedCells)
{
    auto *grid = Make<TLXStringGrid>();
    grid->resize(330, 130);
    grid->SetCell(1, 0, "A");
    grid->SetCell(2, 0, "B");
    grid->SetCell(3, 0, "C");
    RunTime();
    QWidget *view = grid->viewport();
    const int width = grid->columnWidth(1);
    const QPoint edge(grid->columnViewportPosition(1) + width, 5);
    const auto drag = [&](QPoint from, QPoint to) {
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QTest::mouseMove(view, to);
        QTest::mouseRelease(view, Qt::LeftButton, {}, to);
    };
    drag(edge, edge + QPoint(20, 0));
    EXPECT_EQ(grid->columnWidth(1), width) << "sizing is off by default";
    Set(grid, "Options", "[goVertLine,goHorzLine,goColSizing,goRowSizing]");
    drag(edge, edge + QPoint(20, 0));
    EXPECT_EQ(grid->columnWidth(1), width + 20);
    const QPoint rowEdge(5, grid->rowViewportPosition(1) + grid->rowHeight(1));
    drag(rowEdge, rowEdge + QPoint(0, 6));
    EXPECT_EQ(grid->rowHeight(1), grid->DefaultRowHeight() + 6);

    const auto centre = [&](int col) {
        return QPoint(grid->columnViewportPosition(col) + grid->columnWidth(col) / 2, 5);
    };
    drag(centre(1), centre(3));
    EXPECT_EQ(grid->Cell(1, 0), "A") << "moving is off by default";
    Set(grid, "Options", "[goVertLine,goHorzLine,goColMoving]");
    drag(centre(1), centre(3));
    EXPECT_EQ(grid->Cell(1, 0), "B");
    EXPECT_EQ(grid->Cell(2, 0), "C");
    EXPECT_EQ(grid->Cell(3, 0), "A");
    EXPECT_EQ(grid->columnWidth(3), width + 20) << "the width moves with it";
}

} // namespace

namespace
{

// Save and reopen a layout holding every property made to take effect.
class PropertyEffectsLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        container = std::make_unique<TLXControlsContainer>(nullptr, inspector.get());
        container->resize(800, 600);
        container->show();
    }
    TLXDesigned *Add(const char *kind, QWidget *parent, const char *name, QRect geometry)
    {
        QWidget *c = ControlsFactory->CreateControlByName(kind, parent);
        AsDesigned(c)->SetName(name);
        c->setGeometry(geometry);
        c->show();
        return AsDesigned(c);
    }
    std::string Save(const char *name)
    {
        const std::string path = dir.filePath(name).toStdString();
        TXmlPersistance(container.get(), inspector.get()).Save(path);
        QFile f(QString::fromStdString(path));
        f.open(QIODevice::ReadOnly);
        return f.readAll().toStdString();
    }
    void Load(const char *name)
    {
        TXmlPersistance(container.get(), inspector.get()).Load(dir.filePath(name).toStdString());
    }
    static void Set(TLXDesigned *c, const char *name, const char *text)
    {
        WriteFromVariant(c, name, TVariant(std::string(text)));
    }

    QTemporaryDir dir;
    const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
    std::unique_ptr<TLXControlsContainer> container;
};

// What the widgets of a design show: places, sizes and the state the
// properties gave them.
std::vector<std::string> Snapshot(QWidget *root)
{
    std::vector<std::string> lines;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        TLXDesigned *c = AsDesigned(w);
        if (!c)
            continue;
        const QRect g = w->geometry();
        std::string line = c->ComponentName() + " " + std::to_string(g.x()) + "," +
                           std::to_string(g.y()) + " " + std::to_string(g.width()) + "x" +
                           std::to_string(g.height());
        if (auto *edit = dynamic_cast<TLXEditBox *>(w))
            line += " shows " + edit->displayText().toStdString();
        if (auto *list = dynamic_cast<TLXListBox *>(w); list && list->count() > 1)
            line += " second item at " + std::to_string(list->visualItemRect(list->item(1)).x()) +
                    "," + std::to_string(list->visualItemRect(list->item(1)).y());
        if (auto *box = dynamic_cast<TLXComboBox *>(w))
            line += box->SimpleList() && !box->SimpleList()->isHidden() ? " list open" : "";
        if (auto *label = dynamic_cast<TLXLabel *>(w))
            line += label->buddy() ? " marks" : " plain";
        if (auto *grid = dynamic_cast<TLXStringGrid *>(w))
            line += grid->horizontalScrollBar()->hasTracking() ? " tracking" : "";
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST_F(PropertyEffectsLayoutTest, EveryChangedPropertyComesBackAndIsWrittenAlike)
{
    TLXDesigned *label = Add("Label", container.get(), "Label1", {5, 5, 65, 17});
    Set(label, "Caption", "&Name && more");
    Set(label, "ShowAccelChar", "False");
    Set(label, "BevelKind", "bkTile");
    Set(label, "BevelEdges", "[beLeft,beBottom]");
    Set(label, "Transparent", "True");
    TLXDesigned *edit = Add("EditBox", container.get(), "Edit1", {5, 30, 121, 21});
    Set(edit, "Text", "secret");
    Set(edit, "PasswordChar", "42");
    Set(edit, "AutoSelect", "False");
    Set(edit, "HideSelection", "False");
    Set(edit, "BevelKind", "bkSoft");
    Set(edit, "BevelInner", "bvSpace");
    TLXDesigned *memo = Add("Memo", container.get(), "Memo1", {5, 60, 185, 89});
    Set(memo, "MaxLength", "40");
    Set(memo, "WantReturns", "False");
    Set(memo, "HideSelection", "False");
    Set(memo, "BevelKind", "bkFlat");
    TLXDesigned *list = Add("ListBox", container.get(), "List1", {200, 5, 150, 120});
    static_cast<TLXListBox *>(list)->Items()->SetLines({"a\tb", "c", "d", "e", "f"});
    Set(list, "Columns", "2");
    Set(list, "Style", "lbOwnerDrawFixed");
    Set(list, "ItemHeight", "22");
    Set(list, "IntegralHeight", "True");
    Set(list, "TabWidth", "20");
    Set(list, "AutoComplete", "False");
    Set(list, "BevelKind", "bkTile");
    TLXDesigned *scrolling = Add("ListBox", container.get(), "List2", {360, 5, 100, 80});
    Set(scrolling, "ScrollWidth", "300");
    TLXDesigned *box = Add("ComboBox", container.get(), "Combo1", {200, 140, 145, 120});
    Set(box, "Style", "csSimple");
    Set(box, "AutoComplete", "False");
    Set(box, "AutoDropDown", "True");
    Set(box, "AutoCloseUp", "True");
    Set(box, "BevelKind", "bkTile");
    TLXDesigned *owner = Add("ComboBox", container.get(), "Combo2", {360, 140, 145, 21});
    Set(owner, "Style", "csOwnerDrawFixed");
    Set(owner, "ItemHeight", "25");
    for (const char *kind : {"Button", "CheckBox", "RadioButton"}) {
        TLXDesigned *c =
            Add(kind, container.get(), (std::string(kind) + "1").c_str(), {5, 160, 90, 40});
        Set(c, "WordWrap", "True");
    }
    TLXDesigned *panel = Add("Panel", container.get(), "Panel1", {5, 300, 185, 41});
    Add("Button", panel->Widget(), "Inner1", {10, 10, 75, 25});
    Set(panel, "AutoSize", "True");
    Set(panel, "ParentBackground", "False");
    TLXDesigned *group = Add("GroupBox", container.get(), "Group1", {200, 300, 185, 105});
    Set(group, "ParentBackground", "False");
    TLXDesigned *grid = Add("StringGrid", container.get(), "Grid1", {400, 300, 330, 130});
    Set(grid, "Options", "[goFixedVertLine,goHorzLine,goColSizing,goColMoving,goThumbTracking]");
    Set(grid, "GridLineWidth", "2");
    Set(grid, "DefaultDrawing", "False");

    const std::vector<std::string> before = Snapshot(container.get());
    const auto shows = [&](const std::string &part) {
        return std::any_of(before.begin(), before.end(), [&](const std::string &line) {
            return line.find(part) != std::string::npos;
        });
    };
    ASSERT_TRUE(shows("Edit1 5,30 121x") && shows("shows ******") && shows("list open") &&
                shows("tracking") && shows("second item at 0,22"));
    const std::string first = Save("effects.xml");
    Load("effects.xml");
    EXPECT_EQ(Snapshot(container.get()), before);
    EXPECT_EQ(Save("effects2.xml"), first);
    for (const char *property :
         {"ShowAccelChar", "PasswordChar", "WantReturns", "Columns", "IntegralHeight", "TabWidth",
          "ScrollWidth", "csSimple", "AutoCloseUp", "WordWrap", "ParentBackground",
          "DefaultDrawing", "GridLineWidth", "BevelEdges"})
        EXPECT_NE(first.find(property), std::string::npos) << property;
}

} // namespace

TEST_F(PropertyEffectsTest, BiDiModeLaysControlsOutFromTheRightAndChildrenFollowTheirParent)
{
    auto *panel = Make<TLXPanel>();
    panel->setGeometry(0, 0, 300, 200);
    auto *edit = Make<TLXEditBox>(panel);
    auto *own = Make<TLXMemo>(panel);
    Set(own, "BiDiMode", "bdLeftToRight");
    EXPECT_EQ(GetOrdProp(own, "ParentBiDiMode"), 0) << "a mode of its own";

    Set(panel, "BiDiMode", "bdRightToLeft");
    EXPECT_EQ(panel->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(edit->layoutDirection(), Qt::RightToLeft) << "follows its parent";
    EXPECT_EQ(GetOrdProp(edit, "BiDiMode"), bdRightToLeft);
    EXPECT_EQ(own->layoutDirection(), Qt::LeftToRight);

    // A right-to-left list shows its scroll bar on the left.
    auto *list = Make<TLXListBox>(panel);
    list->setGeometry(0, 0, 100, 60);
    for (int i = 0; i < 20; ++i)
        list->addItem(QString::number(i));
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QApplication::processEvents();
    EXPECT_LT(list->verticalScrollBar()->geometry().left(), list->width() / 2);

    Set(own, "ParentBiDiMode", "True");
    EXPECT_EQ(own->layoutDirection(), Qt::RightToLeft);
    Set(panel, "BiDiMode", "bdRightToLeftNoAlign");
    EXPECT_EQ(edit->layoutDirection(), Qt::RightToLeft);
    Set(panel, "ParentBiDiMode", "True");
    EXPECT_EQ(panel->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(edit->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(own->layoutDirection(), Qt::LeftToRight);

    // A control moved into a right-to-left parent takes its mode.
    auto *other = Make<TLXPanel>();
    Set(other, "BiDiMode", "bdRightToLeft");
    edit->setParent(other);
    EXPECT_EQ(edit->layoutDirection(), Qt::RightToLeft);
}

TEST_F(PropertyEffectsTest, EachRightToLeftModeMirrorsItsOwnParts)
{
    auto *edit = Make<TLXEditBox>();
    auto *label = Make<TLXLabel>();
    auto *memo = Make<TLXMemo>();
    auto *list = Make<TLXListBox>();
    list->setGeometry(0, 0, 150, 60);
    for (int i = 0; i < 20; ++i)
        list->addItem(QStringLiteral("ab"));
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Leftmost dark column of the list's first item.
    const auto firstInk = [list] {
        const QImage image = Grab(list->viewport());
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < 12; ++y)
                if (qGray(image.pixel(x, y)) < 128)
                    return x;
        return -1;
    };
    const struct {
        const char *Mode;
        Qt::AlignmentFlag Side;
        Qt::LayoutDirection Layout;
    } modes[] = {{"bdLeftToRight", Qt::AlignLeft, Qt::LeftToRight},
                 {"bdRightToLeft", Qt::AlignRight, Qt::RightToLeft},
                 {"bdRightToLeftNoAlign", Qt::AlignLeft, Qt::RightToLeft},
                 {"bdRightToLeftReadingOnly", Qt::AlignLeft, Qt::LeftToRight}};
    const Qt::Alignment sides = Qt::AlignLeft | Qt::AlignRight | Qt::AlignAbsolute;
    for (const auto &m : modes) {
        SCOPED_TRACE(m.Mode);
        for (TLXDesigned *c : std::vector<TLXDesigned *>{edit, label, memo, list}) {
            Set(c, "BiDiMode", m.Mode);
            EXPECT_EQ(c->Widget()->layoutDirection(), m.Layout);
        }
        QApplication::processEvents();
        EXPECT_EQ(edit->alignment() & sides, m.Side | Qt::AlignAbsolute);
        EXPECT_EQ(label->alignment() & sides, m.Side | Qt::AlignAbsolute);
        EXPECT_EQ(GetOrdProp(label, "Alignment"), 0) << "still taLeftJustify";
        const QTextOption option = memo->document()->defaultTextOption();
        EXPECT_EQ(option.alignment() & sides, m.Side | Qt::AlignAbsolute);
        EXPECT_EQ(option.textDirection(),
                  std::string(m.Mode) == "bdLeftToRight" ? Qt::LeftToRight : Qt::RightToLeft);
        EXPECT_EQ(list->verticalScrollBar()->mapTo(list, QPoint()).x() < list->width() / 2,
                  m.Layout == Qt::RightToLeft);
        EXPECT_EQ(firstInk() < list->viewport()->width() / 2, m.Side == Qt::AlignLeft);
    }
    Set(memo, "Alignment", "taRightJustify");
    EXPECT_EQ(memo->document()->defaultTextOption().alignment() & sides,
              Qt::AlignRight | Qt::AlignAbsolute);
    Set(memo, "BiDiMode", "bdRightToLeft");
    EXPECT_EQ(memo->document()->defaultTextOption().alignment() & sides,
              Qt::AlignLeft | Qt::AlignAbsolute);
    EXPECT_EQ(GetOrdProp(memo, "Alignment"), 1) << "still taRightJustify";
}

TEST_F(PropertyEffectsTest, CheckBoxCaptionSideCombinesAlignmentWithBiDiMode)
{
    auto *check = Make<TLXCheckBox>();
    auto *radio = Make<TLXRadioButton>();
    for (TLXDesigned *c : std::vector<TLXDesigned *>{check, radio}) {
        QWidget *w = c->Widget();
        Set(c, "Alignment", "taLeftJustify");
        EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft) << "caption left of the box";
        Set(c, "BiDiMode", "bdRightToLeft");
        EXPECT_EQ(w->layoutDirection(), Qt::LeftToRight) << "mirrored back";
        EXPECT_EQ(GetOrdProp(c, "Alignment"), 0) << "taLeftJustify";
        Set(c, "BiDiMode", "bdRightToLeftNoAlign");
        EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft) << "the alignment stands";
        Set(c, "Alignment", "taRightJustify");
        EXPECT_EQ(w->layoutDirection(), Qt::LeftToRight);
        Set(c, "BiDiMode", "bdRightToLeft");
        EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft);
    }
}

TEST_F(PropertyEffectsTest, Ctl3DSwitchesBetweenSunkenAndFlatBorders)
{
    std::vector<TLXDesigned *> framed = {Make<TLXMemo>(), Make<TLXListBox>(),
                                         Make<TLXStringGrid>()};
    for (TLXDesigned *c : framed) {
        auto *frame = qobject_cast<QFrame *>(c->Widget());
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->frameShadow(), QFrame::Sunken);
        Set(c, "Ctl3D", "False");
        EXPECT_EQ(frame->frameShape(), QFrame::Box);
        EXPECT_EQ(frame->frameShadow(), QFrame::Plain);
        EXPECT_EQ(frame->frameWidth(), 1);
        EXPECT_EQ(GetOrdProp(c, "ParentCtl3D"), 0) << "kept as its own value";
        Set(c, "BorderStyle", "bsNone");
        EXPECT_EQ(frame->frameShape(), QFrame::NoFrame);
        Set(c, "Ctl3D", "True");
        EXPECT_EQ(frame->frameShape(), QFrame::NoFrame) << "no border stays none";
        Set(c, "BorderStyle", "bsSingle");
        EXPECT_EQ(frame->frameShape(), QFrame::StyledPanel);
        EXPECT_EQ(frame->frameShadow(), QFrame::Sunken);
    }

    // Painted borders: one shadow line, the frame's inner part in the fill.
    auto *edit = Make<TLXEditBox>();
    auto *combo = Make<TLXComboBox>();
    for (TLXDesigned *c : std::vector<TLXDesigned *>{edit, combo}) {
        QWidget *w = c->Widget();
        const QPoint top(w->width() / 2, 0), inner(w->width() / 2, 1);
        const QImage sunken = Grab(w);
        Set(c, "Ctl3D", "False");
        const QImage flat = Grab(w);
        EXPECT_EQ(flat.pixel(top), w->palette().color(QPalette::Shadow).rgb());
        EXPECT_EQ(flat.pixel(inner), w->palette().color(QPalette::Base).rgb());
        EXPECT_NE(sunken.pixel(top), flat.pixel(top));
        Set(c, "Ctl3D", "True");
        EXPECT_EQ(Grab(w), sunken);
    }

    auto *panel = Make<TLXPanel>();
    Set(panel, "BorderStyle", "bsSingle");
    const QPoint left(0, panel->height() / 2), right(panel->width() - 1, panel->height() / 2);
    EXPECT_EQ(Grab(panel).pixel(left), panel->palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(Grab(panel).pixel(right), panel->palette().color(QPalette::Light).rgb());
    Set(panel, "Ctl3D", "False");
    EXPECT_EQ(Grab(panel).pixel(left), panel->palette().color(QPalette::Shadow).rgb());
    EXPECT_EQ(Grab(panel).pixel(right), panel->palette().color(QPalette::Shadow).rgb());

    // Check and radio indicators: a flat one is drawn with a single line.
    for (TLXDesigned *c : std::vector<TLXDesigned *>{Make<TLXCheckBox>(), Make<TLXRadioButton>()}) {
        auto *button = static_cast<QAbstractButton *>(c->Widget());
        button->setChecked(true);
        const QImage sunken = Grab(button);
        Set(c, "Ctl3D", "False");
        const QImage flat = Grab(button);
        EXPECT_NE(flat, sunken);
        QStyleOptionButton option;
        option.initFrom(button);
        const bool round = qobject_cast<QRadioButton *>(button);
        const QRect box = button->style()->subElementRect(round ? QStyle::SE_RadioButtonIndicator
                                                                : QStyle::SE_CheckBoxIndicator,
                                                          &option, button);
        if (round)
            EXPECT_EQ(flat.pixel(box.center()), button->palette().color(QPalette::Text).rgb());
        else
            EXPECT_EQ(flat.pixel(box.topLeft()), button->palette().color(QPalette::Shadow).rgb());
        Set(c, "Ctl3D", "True");
        EXPECT_EQ(Grab(button), sunken);
    }

    auto *group = Make<TLXGroupBox>();
    Set(group, "Ctl3D", "False");
    EXPECT_TRUE(group->isFlat());
    Set(group, "Ctl3D", "True");
    EXPECT_FALSE(group->isFlat());
}

TEST_F(PropertyEffectsTest, AutomaticDragModeStartsADragWithTheDragCursorOnlyAtRunTime)
{
    auto *edit = Make<TLXEditBox>();
    auto *panel = Make<TLXPanel>();
    panel->move(200, 0);
    Set(edit, "DragMode", "dmAutomatic");
    SetOrdProp(edit, "DragCursor", crHandPoint);
    Set(panel, "DragMode", "dmAutomatic");
    std::vector<std::pair<QObject *, Qt::CursorShape>> drags;
    const TLXDesigned::TDragRunner previous = TLXDesigned::InstallDragRunner([&](QDrag &drag) {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        drags.emplace_back(drag.source(), cursor ? cursor->shape() : Qt::BlankCursor);
    });
    const auto pressAndMove = [](QWidget *w) {
        const QPoint from(5, 5), to(5 + 2 * QApplication::startDragDistance(), 5);
        QMouseEvent press(QEvent::MouseButtonPress, from, w->mapToGlobal(from), Qt::LeftButton,
                          Qt::LeftButton, {});
        QApplication::sendEvent(w, &press);
        QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         {});
        QApplication::sendEvent(w, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, w->mapToGlobal(to), Qt::LeftButton,
                            Qt::NoButton, {});
        QApplication::sendEvent(w, &release);
    };

    pressAndMove(edit);
    EXPECT_TRUE(drags.empty()) << "designing moves the control instead";
    RunTime();
    pressAndMove(edit);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0].first, edit);
    EXPECT_EQ(drags[0].second, Qt::PointingHandCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the cursor returns after the drag";
    pressAndMove(panel);
    ASSERT_EQ(drags.size(), 2u);
    EXPECT_EQ(drags[1].first, panel);
    EXPECT_EQ(drags[1].second, CursorShapeOf(crDrag)) << "the default drag cursor";

    // Docking and manual dragging start nothing.
    Set(edit, "DragKind", "dkDock");
    pressAndMove(edit);
    Set(panel, "DragMode", "dmManual");
    pressAndMove(panel);
    EXPECT_EQ(drags.size(), 2u);
    TLXDesigned::InstallDragRunner(previous);
}
