#pragma once

#include "xml/XmlNode.h"

// Common base of CDATA sections and comments: a byte string.
class TXmlCharacterData : public TXmlNode
{
public:
    // The stored string; Text trims it unless the document keeps whitespace.
    std::string Text() const override;
    void SetText(std::string_view text) override { FData = text; }
    TXmlValue Value() const override { return TXmlValue(FData); }
    void SetValue(const TXmlValue &value) override { FData = value.Text(); }
    const std::string &Data() const { return FData; }

protected:
    TXmlCharacterData(TXmlNameTable *nameTable, std::string_view data)
        : TXmlNode(nameTable), FData(data)
    {
    }

private:
    std::string FData;
};
