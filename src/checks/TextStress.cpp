#include "checks/TextStress.h"

#include <QStringList>

TTextStress::TTextStress(int percent, bool longer) : FPercent(percent), FLonger(longer) {}

QFont TTextStress::Font(const QFont &font) const
{
    if (FPercent == 100)
        return font;
    QFont scaled = font;
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * FPercent / 100.0);
    else if (font.pixelSize() > 0)
        scaled.setPixelSize(font.pixelSize() * FPercent / 100);
    return scaled;
}

QString TTextStress::Text(const QString &text) const
{
    if (!FLonger || text.isEmpty())
        return text;
    static const QString plain = QStringLiteral("aeiouAEIOU");
    static const QString accented =
        QStringLiteral("\u00e1\u00e9\u00ed\u00f3\u00fa\u00c1\u00c9\u00cd\u00d3\u00da");
    QString result;
    // Each line grows on its own, so that line breaks stay where they were.
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype l = 0; l < lines.size(); ++l) {
        const QString &line = lines[l];
        QString grown;
        for (const QChar ch : line) {
            const qsizetype at = plain.indexOf(ch);
            grown += at >= 0 ? accented[at] : ch;
        }
        // The padding repeats the line's own letters, without accelerator
        // marks, so that it is about as wide as the text it lengthens.
        QString letters = line;
        letters.remove(QLatin1Char('&'));
        const qsizetype extra = (letters.size() * 4 + 9) / 10;
        for (qsizetype i = 0; i < extra; ++i)
            grown += letters[i % letters.size()];
        if (l > 0)
            result += QLatin1Char('\n');
        result += grown;
    }
    return result;
}
