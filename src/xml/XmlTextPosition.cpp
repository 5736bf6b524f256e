#include "xml/XmlTextPosition.h"

void TXmlTextPosition::Advance(const char *begin, const char *end)
{
    for (const char *p = begin; p < end; ++p) {
        if (*p == '\n' && FAfterReturn) {
            FAfterReturn = false;
            continue;
        }
        FAfterReturn = *p == '\r';
        if (*p == '\n' || *p == '\r') {
            ++FLine;
            FColumn = 1;
        } else {
            ++FColumn;
        }
    }
}

TXmlTextPosition TXmlTextPosition::Unknown()
{
    TXmlTextPosition position;
    position.FLine = 0;
    position.FColumn = 0;
    return position;
}
