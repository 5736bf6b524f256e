#include "platform/XdgMailClient.h"

#include <QProcess>
#include <QStandardPaths>

namespace
{
// Exit codes of xdg-email: a required tool is missing, or the action failed;
// both mean no mail program could be started.
constexpr int ToolNotFound = 3;
constexpr int ActionFailed = 4;
} // namespace

TXdgMailClient::TXdgMailClient(QString program, int waitMs)
    : FProgram(std::move(program)), FWaitMs(waitMs)
{
}

bool TXdgMailClient::Connect()
{
    FExecutable = QStandardPaths::findExecutable(FProgram);
    return !FExecutable.isEmpty();
}

QStringList TXdgMailClient::Arguments(const TMailItem &item)
{
    // The tool writes every line break into the message as CR LF itself.
    QString body = item.Body;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList args{QStringLiteral("--utf8"), QStringLiteral("--subject"), item.Subject,
                     QStringLiteral("--body"), body};
    for (const QString &file : item.Attachments)
        args << QStringLiteral("--attach") << file;
    return args;
}

void TXdgMailClient::Display(const TMailItem &item)
{
    if (FExecutable.isEmpty() && !Connect())
        throw EMailClientUnavailable("The mail tool " + FProgram.toStdString() + " was not found.");

    // Not parented and deleted only when the tool ends: a tool that keeps
    // running (the mail program in its foreground) must neither be killed
    // with this object nor lose its output channels when the designer ends.
    auto *process = new QProcess;
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(FExecutable, Arguments(item));
    if (!process->waitForStarted()) {
        const std::string reason = process->errorString().toStdString();
        delete process;
        throw EMailClientUnavailable("The mail tool could not be started: " + reason);
    }
    if (!process->waitForFinished(FWaitMs)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return;
    }
    const bool crashed = process->exitStatus() != QProcess::NormalExit;
    const int code = process->exitCode();
    delete process;
    if (crashed)
        throw Exception("The mail tool " + FProgram.toStdString() + " ended abnormally.");
    if (code == ToolNotFound || code == ActionFailed)
        throw EMailClientUnavailable("No mail program could be started.");
    if (code != 0)
        throw Exception("The mail tool " + FProgram.toStdString() + " failed with exit code " +
                        std::to_string(code) + ".");
}
