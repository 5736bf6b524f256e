#pragma once

#include "xml/XmlNode.h"

// A processing instruction: a target name and a text. The XML declaration
// is the instruction with the target "xml"; a parsed one holds attributes.
class TXmlProcessingInstruction : public TXmlNode
{
public:
    TXmlProcessingInstruction(TXmlNameTable *nameTable, int targetId, std::string_view data);

    int NameId() const override { return FTargetId; }
    int NodeType() const override { return PROCESSING_INSTRUCTION_NODE; }
    std::string Text() const override { return FData; }
    void SetText(std::string_view text) override { FData = text; }
    TXmlValue Value() const override { return TXmlValue(FData); }
    void SetValue(const TXmlValue &value) override { FData = value.Text(); }
    const std::string &Data() const { return FData; }

protected:
    TXmlNode *CloneSelf() const override;
    void RenameInto(TXmlNameTable *from, TXmlNameTable *to) override;

private:
    int FTargetId;
    std::string FData;
};
