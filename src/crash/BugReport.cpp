#include "crash/BugReport.h"

#include "crash/ModuleMap.h"
#include "platform/ErrorDisplay.h"
#include "platform/Exception.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <boost/core/demangle.hpp>
#include <typeinfo>

QString TBugReport::Text() const
{
    QString text =
        QStringLiteral("Form Designer Bug Report\n\n") + Message + QStringLiteral("\n\n");
    text += QStringLiteral("Error: ") + ErrorType + '\n';
    text += QStringLiteral("Version: ") + Version + '\n';
    text += QStringLiteral("Time: ") + Time + '\n';
    text += QStringLiteral("Design: ") + (Design.isEmpty() ? QStringLiteral("(none)") : Design) +
            QStringLiteral("\n\nStack trace:\n");
    if (Stack.isEmpty())
        text += QStringLiteral("No stack trace was recorded where the error was raised.\n");
    for (const QString &line : Stack)
        text += line + '\n';
    return text;
}

QString TBugReport::TimeText(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" UTC");
}

TBugReport TBugReport::FromError(const std::exception *error, const QString &version,
                                 const QString &designFile)
{
    TBugReport report;
    report.Version = version;
    report.Time = TimeText(QDateTime::currentDateTimeUtc());
    report.Design = designFile.isEmpty() ? QString() : QFileInfo(designFile).fileName();
    if (!error) {
        report.Message = QStringLiteral("Unknown error");
        report.ErrorType = QStringLiteral("not an exception");
        return report;
    }
    report.Message = ErrorDisplay::MessageOf(*error);
    report.ErrorType = QString::fromStdString(boost::core::demangle(typeid(*error).name()));
    if (const auto *own = dynamic_cast<const Exception *>(error))
        report.Stack = own->Stack().Lines();
    return report;
}

TBugReport TBugReport::FromCrashFile(const QByteArray &content)
{
    TBugReport report;
    report.Message = QStringLiteral("Form Designer closed unexpectedly the last time it ran.");
    // "#n 0xADDRESS /path/of/module+0xOFFSET"
    static const QRegularExpression frame(
        QStringLiteral("^#(\\d+) 0x([0-9a-f]+) (/.*)\\+0x([0-9a-f]+)$"));
    const TModuleMap modules = TModuleMap::Current();
    QByteArray build;
    bool inStack = false;
    for (const QByteArray &raw : content.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (inStack) {
            if (line.isEmpty())
                continue;
            const QRegularExpressionMatch match = frame.match(line);
            if (!match.hasMatch()) {
                report.Stack << line;
                continue;
            }
            const std::size_t index = match.captured(1).toULongLong();
            const QString module = match.captured(3);
            const quint64 offset = match.captured(4).toULongLong(nullptr, 16);
            if (const void *address = modules.Address(module, offset, build))
                report.Stack << TStackTrace::DescribeFrame(index, address);
            else
                report.Stack << QStringLiteral("#%1 ?? (%2+0x%3, file offset)")
                                    .arg(index)
                                    .arg(QFileInfo(module).fileName())
                                    .arg(offset, 0, 16);
        } else if (line.startsWith(QLatin1String("Signal: "))) {
            report.ErrorType = QStringLiteral("signal ") + line.mid(8);
        } else if (line.startsWith(QLatin1String("Version: "))) {
            report.Version = line.mid(9);
        } else if (line.startsWith(QLatin1String("Build: "))) {
            build = raw.mid(7);
        } else if (line.startsWith(QLatin1String("Time: "))) {
            report.Time = line.mid(6);
        } else if (line.startsWith(QLatin1String("Design: "))) {
            report.Design = line.mid(8);
        } else if (line == QLatin1String("Stack:")) {
            inStack = true;
        }
    }
    return report;
}
