#pragma once

#include "platform/Exception.h"

#include <QString>
#include <cstdint>
#include <string>

// A text that is not well-formed XML. The message of the parser stays as
// it is; where it was found is put before it, the way compilers do:
// "layout.xml:12:5: Expecting ";".". A text parsed from memory has no name
// and shows its bare message; its position is still kept here.
class EXmlParseError : public Exception
{
public:
    // A line of 0 means the position is not known.
    EXmlParseError(const std::string &reason, int64_t line, int64_t column,
                   const QString &fileName = {});

    const std::string &Reason() const { return FReason; }
    int64_t Line() const { return FLine; }
    int64_t Column() const { return FColumn; }
    const QString &FileName() const { return FFileName; }

private:
    std::string FReason;
    int64_t FLine;
    int64_t FColumn;
    QString FFileName;
};
