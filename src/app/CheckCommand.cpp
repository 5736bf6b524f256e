#include "app/CheckCommand.h"

#include "app/CommandLine.h"
#include "checks/LayoutChecker.h"
#include "checks/ProblemReport.h"
#include "designer/LXControlsContainer.h"
#include "platform/ErrorDisplay.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <cstdio>
#include <exception>

int TCheckCommand::Run(const TCommandLine &command, const QString &layout)
{
    const QString format = command.Value(QStringLiteral("--format"));
    if (!format.isNull() && format != QLatin1String("text") && format != QLatin1String("json"))
        return command.Refuse(QStringLiteral("unknown format \"%1\" (text or json)").arg(format));
    TLayoutChecker checker;
    try {
        if (const QString checks = command.Value(QStringLiteral("--checks")); !checks.isNull())
            checker.SetChecks(checks.split(QLatin1Char(','), Qt::SkipEmptyParts));
    } catch (const std::exception &error) {
        return command.Refuse(ErrorDisplay::MessageOf(error));
    }
    if (const QString stress = command.Value(QStringLiteral("--stress")); !stress.isNull()) {
        bool number = false;
        const int percent = stress.toInt(&number);
        if (!number || percent < 100 || percent > 400)
            return command.Refuse(
                QStringLiteral("the stress is a text size in percent, 100 to 400, not \"%1\"")
                    .arg(stress));
        checker.SetStress(TTextStress(percent, true));
    }

    TLXControlsContainer container(nullptr, nullptr);
    const auto dropPosted = qScopeGuard([] { QCoreApplication::removePostedEvents(nullptr); });
    try {
        container.LoadLayout(layout);
    } catch (const std::exception &error) {
        ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
        return TCommandLine::ExitUsage;
    }
    const std::vector<TLayoutProblem> problems = checker.Check(container.ClientWidget());
    const QByteArray output = format == QLatin1String("json")
                                  ? TProblemReport::Json(layout, problems)
                                  : TProblemReport::Lines(layout, problems).toUtf8();
    std::fwrite(output.constData(), 1, static_cast<size_t>(output.size()), stdout);
    return problems.empty() ? TCommandLine::ExitSuccess : TCommandLine::ExitFailure;
}
