#pragma once

#include "checks/LayoutProblem.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The problems of one layout file as a build reads them: one line per
// problem, "layout.xml: Panel1/Button3: clipped-text: caption ...", or one
// JSON document.
class TProblemReport
{
public:
    static QString Lines(const QString &file, const std::vector<TLayoutProblem> &problems);
    static QByteArray Json(const QString &file, const std::vector<TLayoutProblem> &problems);
};
