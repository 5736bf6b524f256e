#include "xml/XmlCDATASection.h"

#include "xml/XmlNameTable.h"

int TXmlCDATASection::NameId() const
{
    return NameTablePtr()->CDataId();
}

TXmlNode *TXmlCDATASection::CloneSelf() const
{
    return new TXmlCDATASection(NameTablePtr(), Data());
}
