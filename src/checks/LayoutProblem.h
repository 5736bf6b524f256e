#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

// One fault a layout check found: which check, the control it concerns
// (gone when the control was deleted since), the control's path of names
// from the design down, the property a user would change and what is wrong.
struct TLayoutProblem {
    QString Check;
    QPointer<QWidget> Control;
    QString Path;
    QString Property;
    QString Message;

    friend bool operator==(const TLayoutProblem &, const TLayoutProblem &) = default;
};

// The ids of the checks.
namespace CheckId
{
inline const QString OffArea = QStringLiteral("off-area");
inline const QString Overlap = QStringLiteral("overlap");
inline const QString ClippedText = QStringLiteral("clipped-text");
inline const QString TabOrder = QStringLiteral("tab-order");
inline const QString DanglingReference = QStringLiteral("dangling-reference");
inline const QString AmbiguousName = QStringLiteral("ambiguous-name");
inline const QString UnknownContent = QStringLiteral("unknown-content");
inline const QString Empty = QStringLiteral("empty");
} // namespace CheckId
