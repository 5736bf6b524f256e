#pragma once

#include "xml/XmlNode.h"

// A text node; its value may be of any variant type.
class TXmlText : public TXmlNode
{
public:
    TXmlText(TXmlNameTable *nameTable, TXmlValue value);

    int NameId() const override;
    int NodeType() const override { return TEXT_NODE; }
    std::string Text() const override { return FValue.Text(); }
    void SetText(std::string_view text) override { FValue = TXmlValue(text); }
    int DataType() const override;
    TXmlValue Value() const override { return FValue; }
    void SetValue(const TXmlValue &value) override { FValue = value; }
    const TXmlValue &StoredValue() const { return FValue; }
    // A raw text is written by the serializer exactly as stored, unescaped,
    // for markup the caller composed itself (character references).
    bool Raw() const { return FRaw; }
    void SetRaw(bool raw) { FRaw = raw; }

protected:
    TXmlNode *CloneSelf() const override;

private:
    TXmlValue FValue;
    bool FRaw = false;
};
