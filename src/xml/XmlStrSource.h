#pragma once

#include "xml/XmlSource.h"

#include <string_view>

// A text held in memory: the whole text is the one window.
class TXmlStrSource : public TXmlSource
{
public:
    explicit TXmlStrSource(std::string_view text)
    {
        Pos = text.data();
        End = text.data() + text.size();
    }

protected:
    bool Fill() override
    {
        Pos = End;
        return false;
    }
};
