// Costs that must grow with the size of a design and no faster, checked by
// counts that do not depend on the machine's speed: the events left posted
// after opening many controls, and the layouts run per nesting level; and
// the index that finds controls among many siblings.
#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/NamedControl.h"

#include "controls/LXPanel.h"
#include "designer/ControlPath.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"
#include "platform/ErrorDisplay.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace
{

class ScaleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        container = std::make_unique<TLXControlsContainer>(nullptr, inspector.get());
    }

    std::string Write(const char *name, const std::string &controls)
    {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<root>");
        f.write(controls.data(), static_cast<qint64>(controls.size()));
        f.write("</root>\n");
        return path.toStdString();
    }
    void Load(const std::string &path)
    {
        TXmlPersistance(container.get(), inspector.get()).Load(path);
    }

    QTemporaryDir dir;
    const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
    std::unique_ptr<TLXControlsContainer> container;
    QStringList errors;
    const THookGuard display{ErrorDisplay::Show, [this](const QString &m) { errors.append(m); }};
};

std::string Control(const char *kind, int i, bool close = true)
{
    return std::string("<control type=\"") + kind + "\"><property name=\"Name\" value=\"C" +
           std::to_string(i) + "\"/><property name=\"Left\" value=\"" +
           std::to_string(i % 50 * 20) + "\"/><property name=\"Top\" value=\"" +
           std::to_string(i / 50 * 20) + "\"/>" + (close ? "</control>" : "");
}

// Counts by type the events delivered to widgets while it lives.
class TEventCounter : public QObject
{
public:
    TEventCounter() { qApp->installEventFilter(this); }
    ~TEventCounter() override { qApp->removeEventFilter(this); }
    std::map<QEvent::Type, int> Counts;
    int Total() const
    {
        int total = 0;
        for (const auto &[type, n] : Counts)
            total += n;
        return total;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched->isWidgetType())
            ++Counts[event->type()];
        return false;
    }
};

// Every widget posts itself a request to be polished when made; left
// queued while no event loop turns, they made each later post and each
// destruction walk all of them.
TEST_F(ScaleTest, OpeningManyControlsLeavesFewEventsPostedAndShowsThemPolished)
{
    const char *kinds[] = {"Label",    "Button",  "EditBox", "CheckBox", "RadioButton",
                           "ComboBox", "ListBox", "Memo",    "Panel",    "StringGrid"};
    constexpr int count = 2000;
    std::string controls;
    for (int i = 0; i < count; ++i)
        controls += Control(kinds[i % std::size(kinds)], i);
    Load(Write("many.xml", controls));
    ASSERT_EQ(container->Controls().size(), count);
    ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();

    {
        TEventCounter posted;
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(posted.Counts[QEvent::PolishRequest], 0);
        EXPECT_LT(posted.Total(), 2 * count) << "events left posted per control opened";
    }
    container->resize(800, 600);
    container->show();
    QCoreApplication::processEvents();
    for (QWidget *w : container->ClientWidget()->findChildren<QWidget *>()) {
        if (!w->isWindow()) {
            ASSERT_TRUE(w->testAttribute(Qt::WA_WState_Polished))
                << w->metaObject()->className() << " in "
                << w->parentWidget()->objectName().toStdString();
        }
    }
}

// A panel that counts how often it lays out its reading order.
class TCountingPanel : public TLXPanel
{
public:
    using TLXPanel::TLXPanel;
    static inline int Layouts = 0;

protected:
    void BiDiModeChanged() override
    {
        ++Layouts;
        TLXPanel::BiDiModeChanged();
    }
};

TEST_F(ScaleTest, PolishingNestedPanelsLaysEachOutAFewTimesNotOncePerAncestor)
{
    constexpr int depth = 300;
    QWidget top;
    QWidget *parent = &top;
    for (int i = 0; i < depth; ++i) {
        parent = new TCountingPanel(parent);
        parent->setGeometry(1, 1, 600 - i, 600 - i);
    }
    TCountingPanel::Layouts = 0;
    top.show();
    QCoreApplication::processEvents();
    EXPECT_GT(TCountingPanel::Layouts, 0);
    EXPECT_LE(TCountingPanel::Layouts, 2 * depth);
}

TEST_F(ScaleTest, ControlsNestedAThousandLevelsOpenAndDeeperLayoutsAreRefused)
{
    const auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += Control("Panel", i, false);
        for (int i = 0; i < depth; ++i)
            text += "</control>";
        return text;
    };
    Load(Write("deep.xml", nested(TXmlPersistance::MaxNesting)));
    int levels = 0;
    for (QList<QWidget *> level = container->Controls(); !level.isEmpty();
         level = TControlsFactory::DesignedChildren(level.front()))
        ++levels;
    EXPECT_EQ(levels, TXmlPersistance::MaxNesting);

    QWidget *client = container->widget();
    try {
        Load(Write("deeper.xml", nested(TXmlPersistance::MaxNesting + 1)));
        ADD_FAILURE() << "a layout deeper than the limit opened";
    } catch (const std::exception &e) {
        EXPECT_NE(std::string(e.what()).find("1000 levels"), std::string::npos) << e.what();
    }
    EXPECT_EQ(container->widget(), client) << "the design open before stays";

    // Elements nested far deeper are refused while the file is read.
    const int elements = TXmlPersistance::MaxNesting + TXmlPersistance::KeptDepth;
    std::string text = Control("Panel", 0, false);
    for (int i = 0; i < elements; ++i)
        text += "<kept>";
    for (int i = 0; i < elements; ++i)
        text += "</kept>";
    text += "</control>";
    try {
        Load(Write("deepest.xml", text));
        ADD_FAILURE() << "a file nested deeper than the limit opened";
    } catch (const std::exception &e) {
        EXPECT_NE(std::string(e.what()).find("1100 levels"), std::string::npos) << e.what();
    }
    EXPECT_EQ(container->widget(), client);
}

// Paths among many siblings are found through an index kept between
// lookups: it must follow children that come, go, are renamed or restacked.
TEST(ControlPathIndexTest, FindsControlsAgainAfterSiblingsChange)
{
    EnsureDesignerSingletons();
    QWidget root;
    std::vector<QWidget *> controls;
    for (int i = 0; i < 100; ++i)
        controls.push_back(AddNamedControl(
            "Button", &root, qPrintable(QStringLiteral("B%1").arg(i)), {i, 0, 10, 10}));
    const TControlPath path = TControlPath::Of(controls[50], &root);
    ASSERT_EQ(path.Resolve(&root), controls[50]);

    // Renamed: the old name leads nowhere, the new one to it.
    AsDesigned(controls[50])->SetName(QStringLiteral("Renamed"));
    EXPECT_EQ(path.Resolve(&root), nullptr);
    EXPECT_EQ(TControlPath().Child(QStringLiteral("Renamed"), 0).Resolve(&root), controls[50]);

    // Gone, and another of that name come.
    delete controls[50];
    EXPECT_EQ(TControlPath().Child(QStringLiteral("Renamed"), 0).Resolve(&root), nullptr);
    QWidget *newcomer = AddNamedControl("Button", &root, "B50", {0, 20, 10, 10});
    EXPECT_EQ(path.Resolve(&root), newcomer);

    // Two of one name are told apart by their stacking order, also after
    // the lower one is raised above the other.
    controls[7]->setObjectName(QStringLiteral("B50"));
    EXPECT_EQ(TControlPath::Of(controls[7], &root), TControlPath().Child("B50", 0));
    EXPECT_EQ(TControlPath().Child("B50", 1).Resolve(&root), newcomer);
    controls[7]->raise();
    EXPECT_EQ(TControlPath().Child("B50", 0).Resolve(&root), newcomer);
    EXPECT_EQ(TControlPath().Child("B50", 1).Resolve(&root), controls[7]);
}

} // namespace
