#include "xml/XmlProcessingInstruction.h"

#include "xml/XmlNameTable.h"

TXmlProcessingInstruction::TXmlProcessingInstruction(TXmlNameTable *nameTable, int targetId,
                                                     std::string_view data)
    : TXmlNode(nameTable), FTargetId(targetId), FData(data)
{
}

TXmlNode *TXmlProcessingInstruction::CloneSelf() const
{
    return new TXmlProcessingInstruction(NameTablePtr(), FTargetId, FData);
}

void TXmlProcessingInstruction::RenameInto(TXmlNameTable *from, TXmlNameTable *to)
{
    FTargetId = to->NameToId(from->IdToName(FTargetId));
}
