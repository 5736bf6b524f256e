#include "xml/XmlComment.h"

#include "xml/XmlNameTable.h"

int TXmlComment::NameId() const
{
    return NameTablePtr()->CommentId();
}

TXmlNode *TXmlComment::CloneSelf() const
{
    return new TXmlComment(NameTablePtr(), Data());
}
