#pragma once

#include "xml/XmlCharacterData.h"

// A comment.
class TXmlComment : public TXmlCharacterData
{
public:
    TXmlComment(TXmlNameTable *nameTable, std::string_view data)
        : TXmlCharacterData(nameTable, data)
    {
    }
    int NameId() const override;
    int NodeType() const override { return COMMENT_NODE; }

protected:
    TXmlNode *CloneSelf() const override;
};
