#pragma once

#include "xml/XmlNode.h"

// An element: a name, attributes, and either children or a stored simple
// value. The stored value turns into a first text child as soon as the
// element's child list is needed.
class TXmlElement : public TXmlNode
{
public:
    TXmlElement(TXmlNameTable *nameTable, int nameId);

    int NameId() const override { return FNameId; }
    int NodeType() const override { return ELEMENT_NODE; }
    std::string Text() const override;
    void SetText(std::string_view text) override;
    int DataType() const override;
    TXmlValue Value() const override;
    void SetValue(const TXmlValue &value) override;
    void RemoveAllChildren() override;
    const TXmlValue &StoredValue() const { return FStoredValue; }

    // Replaces the text and CDATA children by CDATA sections holding text,
    // split so that no section contains "]]>".
    void SetTextAsCDATA(std::string_view text);
    // Replaces the text and CDATA children by one text child holding the
    // base64 form of the bytes, broken into lines of lineLength characters
    // when lineLength is positive.
    void SetTextAsBase64(const void *bytes, size_t length, int lineLength = 0);
    std::string TextAsBinary() const;

protected:
    void PrepareChildren() override;
    TXmlNode *CloneSelf() const override;
    void RenameInto(TXmlNameTable *from, TXmlNameTable *to) override;

private:
    void RemoveTextChildren();

    int FNameId;
    TXmlValue FStoredValue;
};
