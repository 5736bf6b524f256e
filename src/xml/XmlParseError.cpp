#include "xml/XmlParseError.h"

#include "platform/CodePage.h"

namespace
{

std::string Located(const std::string &reason, int64_t line, int64_t column,
                    const QString &fileName)
{
    if (fileName.isEmpty())
        return reason;
    std::string text = CodePage::FromQString(fileName) + ":";
    if (line > 0)
        text += std::to_string(line) + ":" + std::to_string(column) + ":";
    return text + " " + reason;
}

} // namespace

EXmlParseError::EXmlParseError(const std::string &reason, int64_t line, int64_t column,
                               const QString &fileName)
    : Exception(Located(reason, line, column, fileName)), FReason(reason), FLine(line),
      FColumn(column), FFileName(fileName)
{
}
