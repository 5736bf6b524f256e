#pragma once

#include "xml/XmlCharacterData.h"

// A CDATA section.
class TXmlCDATASection : public TXmlCharacterData
{
public:
    TXmlCDATASection(TXmlNameTable *nameTable, std::string_view data)
        : TXmlCharacterData(nameTable, data)
    {
    }
    int NameId() const override;
    int NodeType() const override { return CDATA_SECTION_NODE; }

protected:
    TXmlNode *CloneSelf() const override;
};
