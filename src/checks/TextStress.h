#pragma once

#include <QFont>
#include <QString>

// Conditions a layout meets on other screens and in other languages: a
// larger text size and translations longer than the design's texts. The
// default is the design as it is.
class TTextStress
{
public:
    TTextStress() = default;
    // percent: text size against the design's (125, 150, 200); longer:
    // texts pseudo-localised 40 % longer.
    TTextStress(int percent, bool longer);

    bool IsNone() const { return FPercent == 100 && !FLonger; }
    int Percent() const { return FPercent; }

    QFont Font(const QFont &font) const;
    // The text with its letters accented and grown by 40 %, so that a
    // caption that fits only in the design's language shows it.
    QString Text(const QString &text) const;

private:
    int FPercent = 100;
    bool FLonger = false;
};
