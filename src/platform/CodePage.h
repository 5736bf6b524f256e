#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

// The system code page (windows-1251) used by the model and the files.
// Widgets hold QString; every conversion between the two goes through here.
namespace CodePage
{

QString ToQString(const std::string &bytes);
// Characters the code page lacks become '?'.
std::string FromQString(const QString &text);
// For text a user enters into the design: refuses text with characters the
// code page lacks (EUnstorableText naming them) instead of changing it.
std::string FromQStringChecked(const QString &text);
void CheckStorable(const QString &text);
bool CanStore(const QString &text);

QStringList ToQStringList(const std::vector<std::string> &lines);
std::vector<std::string> FromQStringList(const QStringList &lines);

// Equal but for letter case, over every letter of the code page.
bool SameText(std::string_view a, std::string_view b);

} // namespace CodePage
