#pragma once

#include "xml/XmlSource.h"

#include <string_view>

// A text held in memory: the whole text is the one window.
class TXmlStrSource : public TXmlSource
{
public:
    explicit TXmlStrSource(std::string_view text) : FBegin(text.data())
    {
        Pos = text.data();
        End = text.data() + text.size();
    }

    TXmlTextPosition Position() override
    {
        TXmlTextPosition position;
        position.Advance(FBegin, Pos);
        return position;
    }

protected:
    bool Fill() override
    {
        Pos = End;
        return false;
    }

private:
    const char *FBegin;
};
