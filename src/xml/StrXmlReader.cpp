#include "xml/StrXmlReader.h"

#include <cstring>

void TStrXmlReader::ReadBytes(void *buffer, size_t length)
{
    if (length > FData.size() - FPos)
        DataError();
    std::memcpy(buffer, FData.data() + FPos, length);
    FPos += length;
}
