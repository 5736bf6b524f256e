#include "xml/XmlElement.h"

#include "xml/XmlBase64.h"
#include "xml/XmlCDATASection.h"
#include "xml/XmlNameTable.h"
#include "xml/XmlNodeList.h"
#include "xml/XmlText.h"

TXmlElement::TXmlElement(TXmlNameTable *nameTable, int nameId)
    : TXmlNode(nameTable), FNameId(nameId)
{
}

std::string TXmlElement::Text() const
{
    if (ChildList())
        return XmlComposedText(this);
    return FStoredValue.Text();
}

void TXmlElement::SetText(std::string_view text)
{
    SetValue(TXmlValue(text));
}

void TXmlElement::SetValue(const TXmlValue &value)
{
    TXmlNode::RemoveAllChildren();
    FStoredValue = value;
}

int TXmlElement::DataType() const
{
    if (ChildList() || FStoredValue.IsEmpty())
        return TXmlValue::varString;
    return FStoredValue.Type();
}

TXmlValue TXmlElement::Value() const
{
    if (ChildList())
        return TXmlValue(Text());
    return FStoredValue;
}

void TXmlElement::RemoveAllChildren()
{
    TXmlNode::RemoveAllChildren();
    FStoredValue = TXmlValue();
}

void TXmlElement::PrepareChildren()
{
    if (FStoredValue.IsEmpty())
        return;
    TXmlNode *text = new TXmlText(NameTablePtr(), std::move(FStoredValue));
    FStoredValue = TXmlValue();
    EnsureChildren().Insert(0, text);
}

TXmlNode *TXmlElement::CloneSelf() const
{
    TXmlElement *copy = new TXmlElement(NameTablePtr(), FNameId);
    copy->FStoredValue = FStoredValue;
    return copy;
}

void TXmlElement::RenameInto(TXmlNameTable *from, TXmlNameTable *to)
{
    FNameId = to->NameToId(from->IdToName(FNameId));
}

void TXmlElement::RemoveTextChildren()
{
    FStoredValue = TXmlValue();
    if (!HasChildNodes())
        return;
    IXmlNodeList list = ChildNodes();
    for (int i = list->Count() - 1; i >= 0; --i) {
        const int type = list->ItemPtr(i)->NodeType();
        if (type == TEXT_NODE || type == CDATA_SECTION_NODE)
            list->Delete(i);
    }
}

void TXmlElement::SetTextAsCDATA(std::string_view text)
{
    RemoveTextChildren();
    for (size_t end = text.find("]]>"); end != std::string_view::npos; end = text.find("]]>")) {
        AppendCDATA(text.substr(0, end + 1));
        text.remove_prefix(end + 1);
    }
    AppendCDATA(text);
}

void TXmlElement::SetTextAsBase64(const void *bytes, size_t length, int lineLength)
{
    RemoveTextChildren();
    AppendText(EncodeBase64(bytes, length, lineLength));
}

std::string TXmlElement::TextAsBinary() const
{
    return DecodeBase64(Text());
}
