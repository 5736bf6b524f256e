#include "xml/XmlText.h"

#include "xml/XmlNameTable.h"

TXmlText::TXmlText(TXmlNameTable *nameTable, TXmlValue value)
    : TXmlNode(nameTable), FValue(std::move(value))
{
}

int TXmlText::NameId() const
{
    return NameTablePtr()->TextId();
}

int TXmlText::DataType() const
{
    return FValue.IsEmpty() ? int(TXmlValue::varString) : int(FValue.Type());
}

TXmlNode *TXmlText::CloneSelf() const
{
    TXmlText *copy = new TXmlText(NameTablePtr(), FValue);
    copy->FRaw = FRaw;
    return copy;
}
