#include "xml/XmlCharacterData.h"

std::string TXmlCharacterData::Text() const
{
    if (KeepsWhitespace())
        return FData;
    size_t first = 0, last = FData.size();
    while (first < last && static_cast<unsigned char>(FData[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(FData[last - 1]) <= 32)
        --last;
    return FData.substr(first, last - first);
}
