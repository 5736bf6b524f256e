#include "support/DesignerSingletons.h"
#include "support/NamedControl.h"

#include "app/BrowserEngine.h"

#include "controls/LXDesigned.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "reflection/TypInfo.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <gtest/gtest.h>

#include <memory>

namespace
{

struct Placed {
    QString name;
    QWidget *control;
};

// Loads a page in the browser engine and answers the result of a script.
QVariant RunInPage(const QString &file, const QString &script)
{
    QWebEnginePage page;
    QEventLoop loop;
    QVariant result;
    bool loaded = false;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
        loaded = ok;
        if (!ok) {
            loop.quit();
            return;
        }
        page.runJavaScript(script, [&](const QVariant &value) {
            result = value;
            loop.quit();
        });
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    page.load(QUrl::fromLocalFile(file));
    loop.exec();
    EXPECT_TRUE(loaded) << "the page did not load";
    return result;
}

TEST(WebPreview, EveryControlStandsWhereItWasDesigned)
{
    EnsureDesignerSingletons();
    TRSObjectInspector inspector;
    TLXControlsContainer container(nullptr, &inspector);
    std::vector<Placed> expected;
    auto add = [&](const char *kind, QWidget *parent, const char *name, QRect geometry) {
        QWidget *c = AddNamedControl(kind, parent, name, geometry);
        expected.push_back({name, c});
        return c;
    };
    QWidget *panel = add("Panel", &container, "Panel1", {300, 20, 260, 200});
    QWidget *inner = add("GroupBox", panel, "Group1", {10, 10, 200, 150});
    add("Button", inner, "InnerButton", {20, 30, 75, 25});
    add("Button", &container, "Button1", {10, 10, 75, 25});
    add("Label", &container, "EmptyLabel", {10, 50, 65, 17});
    TypInfo::WriteFromVariant(AsDesigned(container.Controls().back()), "Caption", TVariant(""));
    add("Memo", &container, "EmptyMemo", {10, 80, 185, 89});
    add("EditBox", &container, "Edit1", {10, 180, 121, 21});
    add("ListBox", &container, "List1", {10, 210, 121, 97});
    add("ComboBox", &container, "Combo1", {140, 210, 145, 21});
    add("CheckBox", &container, "Check1", {10, 320, 97, 17});
    add("RadioButton", &container, "Radio1", {120, 320, 113, 17});
    add("StringGrid", &container, "Grid1", {300, 240, 330, 130});
    add("Image", &container, "Image1", {10, 350, 100, 100});

    QTemporaryDir dir;
    const QString file = dir.filePath("page.htm");
    container.ExportHtml(file);
    // The element of each control is found by its position style; its
    // box in the page must match the exported left, top, width and height.
    const QVariant rects = RunInPage(TLXControlsContainer::HtmlExportPath(file), QStringLiteral(R"(
        Array.from(document.querySelectorAll('[style*="POSITION: absolute"], [style*="position: absolute"]'))
          .map(e => { const r = e.getBoundingClientRect();
                      return {style: e.getAttribute('style'), left: Math.round(r.left + scrollX),
                              top: Math.round(r.top + scrollY), width: Math.round(r.width),
                              height: Math.round(r.height)}; }))"));
    const QJsonArray boxes = QJsonDocument::fromVariant(rects).array();
    ASSERT_EQ(boxes.size(), static_cast<qsizetype>(expected.size()));
    for (const Placed &p : expected) {
        // Where the control stands on the design surface.
        const QRect rect(p.control->mapTo(container.widget(), QPoint(0, 0)), p.control->size());
        const QString style = QStringLiteral("LEFT: %1px; TOP: %2px; WIDTH: %3px; HEIGHT:%4px")
                                  .arg(rect.left())
                                  .arg(rect.top())
                                  .arg(rect.width())
                                  .arg(rect.height());
        bool found = false;
        for (const QJsonValue &v : boxes) {
            const QJsonObject box = v.toObject();
            if (!box["style"].toString().contains(style))
                continue;
            found = true;
            EXPECT_EQ(box["left"].toInt(), rect.left()) << p.name.toStdString();
            EXPECT_EQ(box["top"].toInt(), rect.top()) << p.name.toStdString();
        }
        EXPECT_TRUE(found) << p.name.toStdString() << " " << style.toStdString();
    }
}

} // namespace

// The engine is a module the program loads when a page is first shown: it
// must come in, make views that load pages and report their loading, and
// print pages.
TEST(WebPreview, TheEngineModuleShowsAndPrintsPagesWhenFirstAskedFor)
{
    TBrowserEngine *engine = TBrowserEngine::Instance();
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(TBrowserEngine::Instance(), engine) << "the module is loaded once";
    QTemporaryDir dir;
    const QString file = dir.filePath("hello.htm");
    {
        QFile page(file);
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<html><body><p>Hello</p></body></html>");
    }
    QEventLoop loop;
    int started = 0, finished = 0;
    std::unique_ptr<QWidget> view(engine->CreateView([&] { ++started; },
                                                     [&] {
                                                         ++finished;
                                                         loop.quit();
                                                     }));
    ASSERT_NE(view, nullptr);
    EXPECT_STREQ(view->metaObject()->className(), "QWebEngineView");
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    engine->Load(view.get(), QUrl::fromLocalFile(file));
    loop.exec();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(finished, 1);

    bool loaded = false;
    const QByteArray pdf = engine->PrintPdf(QUrl::fromLocalFile(file), 60000, loaded);
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(pdf.startsWith("%PDF")) << pdf.left(16).toStdString();
    engine->PrintPdf(QUrl::fromLocalFile(dir.filePath("missing.htm")), 60000, loaded);
    EXPECT_FALSE(loaded);
}
