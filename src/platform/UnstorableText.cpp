#include "platform/UnstorableText.h"

#include <QChar>

namespace
{

const char *const kLead = "The text contains characters that cannot be stored in the layout's "
                          "code page: ";
// A long paste would fill the message box; the first few tell enough.
constexpr size_t kNamed = 10;

QString CodePoint(char32_t c)
{
    return QStringLiteral("U+") + QString::number(uint(c), 16).toUpper().rightJustified(4, u'0');
}

// A character that would not show by itself (a control, a joiner, a mark
// that combines with the comma before it) is named by its code point.
QString Shown(char32_t c)
{
    if (!QChar::isPrint(c) || QChar::isMark(c) || QChar::isSpace(c))
        return CodePoint(c);
    return QString::fromUcs4(&c, 1);
}

template <class Name> QString List(const std::vector<char32_t> &characters, Name name)
{
    QStringList names;
    for (size_t i = 0; i < characters.size() && i < kNamed; ++i)
        names << name(characters[i]);
    if (characters.size() > kNamed)
        names << QStringLiteral("...");
    return names.join(QStringLiteral(", "));
}

} // namespace

EUnstorableText::EUnstorableText(const std::vector<char32_t> &characters)
    : Exception(kLead + List(characters, CodePoint).toStdString()),
      FMessage(QString::fromLatin1(kLead) + List(characters, Shown))
{
}
