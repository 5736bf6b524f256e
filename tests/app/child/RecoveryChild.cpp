// A designer that the recovery tests run as a process of their own, to kill
// it or to limit its files. It starts as the test executables do (headless,
// settings and per-user files in the tests' places) and does what its first
// argument names, telling what it saw on stdout, one line each (messages
// of the error display begin with "told: "), for the test to check:
//   killed LAYOUT   changes a design, saves it as LAYOUT, waits for its
//                   recovery copy and then to be killed;
//   start           starts with the copies it finds and restores them all;
//   full-disk DIR   writes its copy while files may not grow past half the
//                   design's layout (saved in DIR), then with room again.
#include "support/DesignerSingletons.h"
#include "support/FileSizeLimit.h"

#include "app/Main.h"
#include "app/RecoveryFile.h"
#include "controls/LXDesigned.h"
#include "designer/LXControlsContainer.h"
#include "editors/DesignerRegistries.h"
#include "platform/ErrorDisplay.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace
{

// How long a designer waiting to be killed lives when no one kills it.
constexpr int KillWaitMs = 60000;

void Tell(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int Usage()
{
    std::fprintf(stderr, "usage: recovery_child killed LAYOUT | start | full-disk FOLDER\n");
    return 2;
}

int ChangeAndWaitToBeKilled(const QString &layout)
{
    TForm1 form;
    form.show();
    form.Recovery()->SetDelay(10);
    form.SetFileName("/home/user/orders.xml");
    QWidget *panel = form.AddControl(8, 10, nullptr, 10);
    AsDesigned(form.AddControl(1, 5, panel, 5))->SetText("Order");
    AsDesigned(form.AddControl(0, 200, nullptr, 30))->SetText("<b>Total</b>");
    form.Container()->SaveLayout(layout);
    if (!QTest::qWaitFor([&] { return !form.Recovery()->LayoutPath().isEmpty(); })) {
        Tell("no recovery copy was written");
        return 1;
    }
    Tell("recovery written");
    // Run by itself, the designer ends after a while, as a failure.
    QTimer::singleShot(KillWaitMs, [] {
        Tell("no one ended this designer");
        QCoreApplication::exit(1);
    });
    return QCoreApplication::exec();
}

int StartWithWhatIsLeft()
{
    TForm1 form;
    form.show();
    form.RecoveryQuestion = [](const TRecoveryFile::TOrphan &) { return QMessageBox::Yes; };
    form.OfferRecovery();
    QCoreApplication::processEvents();
    Tell(QStringLiteral("controls: %1").arg(form.Container()->Controls().size()));
    Tell(form.Modified() ? "modified" : "unmodified");
    return 0;
}

// What the copy of a design does on a full disk: written or refused, the
// state the window shows, whether a copy is there.
void TellCopyState(TForm1 &form, bool written)
{
    Tell(written ? "written" : "refused");
    Tell(form.Recovery()->Failing() ? "failing" : "not failing");
    Tell(form.RecoveryMark()->isHidden() ? "mark hidden" : "mark shown");
}

int CopyOnAFullDisk(const QString &folder)
{
    TForm1 form;
    for (int i = 0; i < 8; ++i)
        AsDesigned(form.AddControl(0, 10, nullptr, 20 * i))->SetText(QString(200, QChar('a' + i)));
    const QString expected = folder + "/expected.xml";
    form.Container()->SaveLayout(expected);

    auto full = std::make_unique<TFileSizeLimit>(rlim_t(QFileInfo(expected).size() / 2));
    TellCopyState(form, form.Recovery()->WriteNow());
    Tell(QFileInfo::exists(form.Recovery()->LayoutPath()) ? "copy" : "no copy");
    // The next change tries again.
    AsDesigned(form.AddControl(0, 10, nullptr, 200))->SetText("More");
    TellCopyState(form, form.Recovery()->WriteNow());

    full.reset();
    form.Container()->SaveLayout(expected);
    TellCopyState(form, form.Recovery()->WriteNow());
    Tell(Bytes(form.Recovery()->LayoutPath()) == Bytes(expected) ? "copy as saved"
                                                                 : "copy differs");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Per-user files lie in the folders of the tests that run this designer.
    QCoreApplication::setApplicationName(QStringLiteral("test_app"));
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return Usage();
    QTemporaryDir settings;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, settings.path());
    QStandardPaths::setTestModeEnabled(true);
    RegisterDesignerRegistries();
    EnsureDesignerSingletons();
    // A message of several lines is told on one.
    ErrorDisplay::Show = [](const QString &message) {
        Tell("told: " + QString(message).replace('\n', ' '));
    };

    int result = 0;
    if (args[0] == QLatin1String("killed") && args.size() == 2)
        result = ChangeAndWaitToBeKilled(args[1]);
    else if (args[0] == QLatin1String("start") && args.size() == 1)
        result = StartWithWhatIsLeft();
    else if (args[0] == QLatin1String("full-disk") && args.size() == 2)
        result = CopyOnAFullDisk(args[1]);
    else
        result = Usage();
    UnregisterDesignerRegistries();
    return result;
}
