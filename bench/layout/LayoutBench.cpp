// Saving and opening native layouts of many mixed controls, beside Qt's own
// form files of the same number of equivalent widgets where Qt's form tools
// are installed.
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "platform/ErrorDisplay.h"

#include "support/DesignerBenchMain.h"
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <memory>

#ifdef FD_BENCH_QT_FORMS
#include <QCheckBox>
#include <QComboBox>
#include <QFormBuilder>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUiLoader>
#endif

namespace
{

const char *const Kinds[] = {"Label",    "Button",  "EditBox", "CheckBox", "RadioButton",
                             "ComboBox", "ListBox", "Memo",    "Panel",    "GroupBox"};
constexpr int KindCount = static_cast<int>(std::size(Kinds));

QRect Cell(int i)
{
    return {10 + (i % 40) * 90, 10 + (i / 40) * 40, 80, 30};
}

QTemporaryDir &Dir()
{
    static QTemporaryDir dir;
    return dir;
}

QString FilePath(const char *prefix, int count)
{
    return Dir().filePath(QStringLiteral("%1-%2").arg(QLatin1String(prefix)).arg(count));
}

// A design surface and its inspector, as the main window holds them.
struct Design {
    explicit Design(int count) : container(nullptr, &inspector)
    {
        for (int i = 0; i < count; ++i) {
            QWidget *c = ControlsFactory->CreateControlByName(Kinds[i % KindCount], &container);
            AsDesigned(c)->SetName(QStringLiteral("Control%1").arg(i + 1));
            c->setGeometry(Cell(i));
        }
    }
    TRSObjectInspector inspector;
    TLXControlsContainer container;
};

// Errors of a load or save are shown, not thrown: any shown fails the run.
void CheckErrors(benchmark::State &state, const QStringList &errors, int expected, int got)
{
    if (!errors.isEmpty())
        state.SkipWithError(errors.first().toUtf8().constData());
    else if (got != expected)
        state.SkipWithError("the layout does not hold every control");
}

// Handles what the set-up or the last round posted, as the program's event
// loop does between commands; otherwise every widget destroyed by the next
// round would search a queue that no running program holds.
void HandlePosted()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void Settle(benchmark::State &state)
{
    state.PauseTiming();
    HandlePosted();
    state.ResumeTiming();
}

void BM_SaveLayout(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    Design d(count);
    const QString path = FilePath("save.xml", count);
    // A first round, untimed, as for every benchmark here: the sizes that run
    // only a few rounds would otherwise carry the process's first growth.
    d.container.SaveLayout(path);
    for (auto _ : state)
        d.container.SaveLayout(path);
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
    CheckErrors(state, {}, count, static_cast<int>(d.container.Controls().size()));
}

void BM_OpenLayout(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const QString path = FilePath("open.xml", count);
    Design d(count);
    d.container.SaveLayout(path);
    HandlePosted();
    QStringList errors;
    const auto show = ErrorDisplay::Show;
    ErrorDisplay::Show = [&errors](const QString &m) { errors.append(m); };
    d.container.LoadLayout(path);
    for (auto _ : state) {
        Settle(state);
        d.container.LoadLayout(path);
    }
    ErrorDisplay::Show = show;
    CheckErrors(state, errors, count, static_cast<int>(d.container.Controls().size()));
}

#ifdef FD_BENCH_QT_FORMS

QWidget *QtWidget(int kind, QWidget *parent)
{
    switch (kind) {
    case 0:
        return new QLabel(QStringLiteral("Label"), parent);
    case 1:
        return new QPushButton(QStringLiteral("Button"), parent);
    case 2:
        return new QLineEdit(parent);
    case 3:
        return new QCheckBox(QStringLiteral("CheckBox"), parent);
    case 4:
        return new QRadioButton(QStringLiteral("RadioButton"), parent);
    case 5:
        return new QComboBox(parent);
    case 6:
        return new QListWidget(parent);
    case 7:
        return new QPlainTextEdit(parent);
    case 8:
        return new QFrame(parent);
    default:
        return new QGroupBox(QStringLiteral("GroupBox"), parent);
    }
}

std::unique_ptr<QWidget> QtForm(int count)
{
    auto form = std::make_unique<QWidget>();
    form->setObjectName(QStringLiteral("Form"));
    for (int i = 0; i < count; ++i) {
        QWidget *w = QtWidget(i % KindCount, form.get());
        w->setObjectName(QStringLiteral("Control%1").arg(i + 1));
        w->setGeometry(Cell(i));
    }
    return form;
}

void BM_QtFormSave(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    auto form = QtForm(count);
    const QString path = FilePath("save.ui", count);
    QFormBuilder builder;
    const auto save = [&] {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        builder.save(&f, form.get());
    };
    save();
    for (auto _ : state)
        save();
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
}

// The Qt counterparts of what a native layout holds for every control
// besides geometry and caption: size limits, cursor, enabled, visible, the
// whole font, hint, help keyword, comment, reading direction and tab stop,
// then what each kind adds.
QByteArray EquivalentProperties(int kind)
{
    QByteArray p =
        "   <property name=\"minimumSize\"><size><width>0</width><height>0</height></size>"
        "</property>\n"
        "   <property name=\"maximumSize\"><size><width>16777215</width>"
        "<height>16777215</height></size></property>\n"
        "   <property name=\"cursor\"><cursorShape>ArrowCursor</cursorShape></property>\n"
        "   <property name=\"enabled\"><bool>true</bool></property>\n"
        "   <property name=\"visible\"><bool>true</bool></property>\n"
        "   <property name=\"font\"><font><family>Sans Serif</family><pointsize>9</pointsize>"
        "<bold>false</bold><italic>false</italic><underline>false</underline>"
        "<strikeout>false</strikeout></font></property>\n"
        "   <property name=\"toolTip\"><string></string></property>\n"
        "   <property name=\"whatsThis\"><string></string></property>\n"
        "   <property name=\"accessibleDescription\"><string></string></property>\n"
        "   <property name=\"layoutDirection\"><enum>Qt::LeftToRight</enum></property>\n"
        "   <property name=\"focusPolicy\"><enum>Qt::StrongFocus</enum></property>\n";
    switch (kind) {
    case 0:
        p += "   <property name=\"wordWrap\"><bool>false</bool></property>\n"
             "   <property name=\"alignment\"><set>Qt::AlignLeft|Qt::AlignTop</set></property>\n";
        break;
    case 1:
        p += "   <property name=\"default\"><bool>false</bool></property>\n"
             "   <property name=\"autoDefault\"><bool>false</bool></property>\n";
        break;
    case 2:
        p += "   <property name=\"maxLength\"><number>32767</number></property>\n"
             "   <property name=\"readOnly\"><bool>false</bool></property>\n"
             "   <property name=\"echoMode\"><enum>QLineEdit::Normal</enum></property>\n"
             "   <property name=\"text\"><string>EditBox</string></property>\n";
        break;
    case 3:
    case 4:
        p += "   <property name=\"checked\"><bool>false</bool></property>\n";
        break;
    case 5:
        p += "   <property name=\"editable\"><bool>true</bool></property>\n"
             "   <property name=\"maxVisibleItems\"><number>8</number></property>\n";
        break;
    case 6:
        p += "   <property name=\"selectionMode\">"
             "<enum>QAbstractItemView::SingleSelection</enum></property>\n";
        break;
    case 7:
        p += "   <property name=\"readOnly\"><bool>false</bool></property>\n"
             "   <property name=\"lineWrapMode\"><enum>QPlainTextEdit::WidgetWidth</enum>"
             "</property>\n";
        break;
    case 8:
        p += "   <property name=\"frameShape\"><enum>QFrame::Panel</enum></property>\n"
             "   <property name=\"frameShadow\"><enum>QFrame::Raised</enum></property>\n";
        break;
    default:
        p += "   <property name=\"flat\"><bool>false</bool></property>\n";
    }
    return p;
}

// A form file as Qt's form editor writes one: each widget with its class,
// name, geometry and caption, and with full also the properties that stand
// for the rest of a native layout's. Qt's form writer is not used here because it
// also writes the scroll areas' private children, which its loader cannot
// read back.
QByteArray QtFormFile(int count, bool full)
{
    static const char *const classes[] = {
        "QLabel",    "QPushButton", "QLineEdit",      "QCheckBox", "QRadioButton",
        "QComboBox", "QListWidget", "QPlainTextEdit", "QFrame",    "QGroupBox"};
    QByteArray ui = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n"
                    " <class>Form</class>\n <widget class=\"QWidget\" name=\"Form\">\n";
    for (int i = 0; i < count; ++i) {
        const QRect r = Cell(i);
        const int kind = i % KindCount;
        ui += QStringLiteral(
                  "  <widget class=\"%1\" name=\"Control%2\">\n"
                  "   <property name=\"geometry\">\n"
                  "    <rect><x>%3</x><y>%4</y><width>%5</width><height>%6</height></rect>\n"
                  "   </property>\n")
                  .arg(QLatin1String(classes[kind]))
                  .arg(i + 1)
                  .arg(r.x())
                  .arg(r.y())
                  .arg(r.width())
                  .arg(r.height())
                  .toUtf8();
        if (kind == 0 || kind == 1 || kind == 3 || kind == 4)
            ui += QByteArray("   <property name=\"text\">\n    <string>") + Kinds[kind] +
                  "</string>\n   </property>\n";
        else if (kind == 9)
            ui += "   <property name=\"title\">\n    <string>GroupBox</string>\n   </property>\n";
        if (full)
            ui += EquivalentProperties(kind);
        ui += "  </widget>\n";
    }
    ui += " </widget>\n</ui>\n";
    return ui;
}

// Arg 1 holds the widgets with geometry and caption only; arg 2 also with
// the counterparts of everything a native layout holds for its controls.
void BM_QtFormLoad(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const bool full = state.range(1) == 2;
    const QString path = FilePath(full ? "open-full.ui" : "open.ui", count);
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(QtFormFile(count, full));
    }
    QUiLoader loader;
    int got = 0;
    // Opening replaces the previous form, as opening a layout does.
    std::unique_ptr<QWidget> form;
    const auto load = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        form.reset(loader.load(&f));
    };
    load();
    for (auto _ : state) {
        Settle(state);
        load();
    }
    if (form)
        got = static_cast<int>(form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size());
    CheckErrors(state, {}, count, got);
}

#endif

// Large designs take seconds per round: a few rounds keep the run short,
// and more than one keeps the first round's cold caches and heap from
// standing for the whole, as they do not for the smaller sizes.
void Sizes(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond);
    b->Arg(100)->Arg(1000);
}

void Large(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond)->Arg(5000)->Iterations(3);
}

// The Qt loader's sizes, each with the short and the full form file.
void QtLoadSizes(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond);
    for (int count : {100, 1000})
        for (int props : {1, 2})
            b->Args({count, props});
}

void QtLoadLarge(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond)->Args({5000, 1})->Args({5000, 2})->Iterations(3);
}

BENCHMARK(BM_SaveLayout)->Apply(Sizes);
BENCHMARK(BM_SaveLayout)->Apply(Large);
BENCHMARK(BM_OpenLayout)->Apply(Sizes);
BENCHMARK(BM_OpenLayout)->Apply(Large);
#ifdef FD_BENCH_QT_FORMS
BENCHMARK(BM_QtFormSave)->Apply(Sizes);
BENCHMARK(BM_QtFormSave)->Apply(Large);
BENCHMARK(BM_QtFormLoad)->Apply(QtLoadSizes);
BENCHMARK(BM_QtFormLoad)->Apply(QtLoadLarge);
#endif

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's form writer warns about every property type it leaves out; the
    // warnings would only add terminal output to its figures.
    static QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &m) {
        if (!m.startsWith(QLatin1String("Designer: ")))
            previous(type, context, m);
    });
    return RunDesignerBenchmarks(argc, argv);
}
