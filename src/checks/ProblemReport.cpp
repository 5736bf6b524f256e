#include "checks/ProblemReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString TProblemReport::Lines(const QString &file, const std::vector<TLayoutProblem> &problems)
{
    QString text;
    for (const TLayoutProblem &p : problems)
        text += QStringLiteral("%1: %2: %3: %4\n").arg(file, p.Path, p.Check, p.Message);
    return text;
}

QByteArray TProblemReport::Json(const QString &file, const std::vector<TLayoutProblem> &problems)
{
    QJsonArray list;
    for (const TLayoutProblem &p : problems)
        list.append(QJsonObject{{QStringLiteral("check"), p.Check},
                                {QStringLiteral("path"), p.Path},
                                {QStringLiteral("property"), p.Property},
                                {QStringLiteral("message"), p.Message}});
    return QJsonDocument(
               QJsonObject{{QStringLiteral("file"), file}, {QStringLiteral("problems"), list}})
        .toJson();
}
