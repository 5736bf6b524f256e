#include "xml/XmlNodeList.h"

#include "platform/Exception.h"
#include "xml/XmlWriter.h"

#include <cstring>

TXmlNodeList::~TXmlNodeList()
{
    Clear();
    TXmlPool::Free(FItems, sizeof(TXmlNode *) * size_t(FCapacity));
}

IXmlNode TXmlNodeList::Item(int index) const
{
    if (index < 0 || index >= FCount)
        throw Exception("Error getting list element: index is out of range.");
    return IXmlNode(FItems[index]);
}

std::string TXmlNodeList::Xml() const
{
    std::string out;
    for (int i = 0; i < FCount; ++i)
        WriteXml(FItems[i], out);
    return out;
}

int TXmlNodeList::IndexOf(const TXmlNode *node) const
{
    for (int i = 0; i < FCount; ++i)
        if (FItems[i] == node)
            return i;
    return -1;
}

void TXmlNodeList::Grow()
{
    const int capacity = FCapacity + XmlGrowthStep(FCapacity);
    TXmlNode **items =
        static_cast<TXmlNode **>(TXmlPool::Allocate(sizeof(TXmlNode *) * size_t(capacity)));
    if (FCount)
        std::memcpy(items, FItems, sizeof(TXmlNode *) * size_t(FCount));
    TXmlPool::Free(FItems, sizeof(TXmlNode *) * size_t(FCapacity));
    FItems = items;
    FCapacity = capacity;
}

void TXmlNodeList::Insert(int index, TXmlNode *node)
{
    if (FCount == FCapacity)
        Grow();
    if (index < 0 || index > FCount)
        index = FCount;
    if (index < FCount)
        std::memmove(FItems + index + 1, FItems + index,
                     sizeof(TXmlNode *) * size_t(FCount - index));
    FItems[index] = node;
    ++FCount;
    node->AddRef();
    if (FOwner) {
        node->FParent = FOwner;
        if (node->FNameTable != FOwner->FNameTable)
            node->MoveToNameTable(FOwner->FNameTable);
    }
}

void TXmlNodeList::Delete(int index)
{
    TXmlNode *node = FItems[index];
    std::memmove(FItems + index, FItems + index + 1,
                 sizeof(TXmlNode *) * size_t(FCount - index - 1));
    --FCount;
    if (FOwner && node->FParent == FOwner)
        node->FParent = nullptr;
    node->Release();
}

void TXmlNodeList::Clear()
{
    // Release from the end so that a long list needs no shifting.
    while (FCount > 0) {
        TXmlNode *node = FItems[--FCount];
        if (FOwner && node->FParent == FOwner)
            node->FParent = nullptr;
        node->Release();
    }
}
