#pragma once

#include "xml/XmlNode.h"

// An ordered list of nodes holding one reference on each. A node's child
// list has that node as owner; result lists of lookups have none.
class TXmlNodeList : public TXmlBase
{
public:
    explicit TXmlNodeList(TXmlNode *owner = nullptr) : FOwner(owner) {}
    ~TXmlNodeList() override;

    int Count() const { return FCount; }
    IXmlNode Item(int index) const;
    std::string Xml() const;

    // Unchecked access for the library's own loops.
    TXmlNode *ItemPtr(int index) const { return FItems[index]; }
    int IndexOf(const TXmlNode *node) const;
    TXmlNode *Owner() const { return FOwner; }

    // Inserts at index (Count appends); takes a reference, sets the parent
    // and moves the node into the owner's name table when it differs.
    void Insert(int index, TXmlNode *node);
    void Add(TXmlNode *node) { Insert(FCount, node); }
    // Removes the entry; the list's reference is released.
    void Delete(int index);
    void Clear();

private:
    friend class TXmlNode;
    void Grow();

    TXmlNode **FItems = nullptr;
    int FCount = 0;
    int FCapacity = 0;
    TXmlNode *FOwner;
};
