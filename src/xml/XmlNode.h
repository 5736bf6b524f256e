#pragma once

#include "xml/XmlBase.h"
#include "xml/XmlValue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TXmlNameTable;
class TXmlNodeList;
class TXmlNode;
class TXmlElement;
class TXmlText;
class TXmlCDATASection;
class TXmlComment;
class TXmlProcessingInstruction;
class TXmlDocument;

using IXmlNode = TXmlRef<TXmlNode>;
using IXmlElement = TXmlRef<TXmlElement>;
using IXmlDocument = TXmlRef<TXmlDocument>;
using IXmlNodeList = TXmlRef<TXmlNodeList>;

// One attribute: its name id and its value.
struct TXmlAttrData {
    int32_t NameId = -1;
    TXmlValue Value;
};

// Abstract node of the document tree. Every node can hold attributes and
// children; the parent link is weak, the child list holds its nodes.
// Operations taking an element or attribute name have a twin taking the
// name id, which skips interning.
class TXmlNode : public TXmlBase
{
public:
    enum TNodeType {
        ELEMENT_NODE = 1,
        TEXT_NODE = 3,
        CDATA_SECTION_NODE = 4,
        PROCESSING_INSTRUCTION_NODE = 7,
        COMMENT_NODE = 8,
        DOCUMENT_NODE = 9,
    };

    TXmlRef<TXmlNameTable> NameTable() const;
    TXmlNameTable *NameTablePtr() const { return FNameTable; }
    const std::string &NodeName() const;
    virtual int NameId() const = 0;
    virtual int NodeType() const = 0;
    virtual std::string Text() const;
    virtual void SetText(std::string_view text);
    virtual int DataType() const;
    virtual TXmlValue Value() const;
    virtual void SetValue(const TXmlValue &value);
    std::string Xml() const;
    IXmlNode CloneNode(bool deep) const;

    IXmlNode ParentNode() const;
    TXmlNode *ParentPtr() const { return FParent; }
    IXmlDocument OwnerDocument() const;
    IXmlNodeList ChildNodes();
    // The child list when it exists and is not empty, else null; reading
    // through it does not create the list.
    const TXmlNodeList *ChildList() const;
    bool HasChildNodes() const;

    IXmlNode AppendChild(const IXmlNode &newChild);
    IXmlNode InsertBefore(const IXmlNode &newChild, const IXmlNode &refChild);
    IXmlNode ReplaceChild(const IXmlNode &newChild, const IXmlNode &oldChild);
    int RemoveChild(const IXmlNode &child);

    IXmlElement AppendElement(std::string_view name);
    IXmlElement AppendElement(int nameId);
    IXmlNode AppendText(std::string_view text);
    // A text child that the serializer writes without escaping.
    IXmlNode AppendRawText(std::string_view text);
    IXmlNode AppendCDATA(std::string_view text);
    IXmlNode AppendComment(std::string_view text);
    IXmlNode AppendProcessingInstruction(std::string_view target, std::string_view text);
    IXmlNode AppendProcessingInstruction(int targetId, std::string_view text);

    std::string ChildText(std::string_view name, const std::string &def = {}) const;
    std::string ChildText(int nameId, const std::string &def = {}) const;
    void SetChildText(std::string_view name, std::string_view text);
    void SetChildText(int nameId, std::string_view text);
    IXmlElement RequireChild(std::string_view name) const;
    IXmlElement RequireChild(int nameId) const;
    IXmlElement ChildOrNew(std::string_view name);
    IXmlElement ChildOrNew(int nameId);
    virtual void RemoveAllChildren();
    IXmlNodeList ChildElementsNamed(std::string_view name) const;
    IXmlNodeList ChildElementsNamed(int nameId) const;
    IXmlElement FirstChildNamed(std::string_view name) const;
    IXmlElement FirstChildNamed(int nameId) const;
    IXmlElement FindChildByAttr(std::string_view elementName, std::string_view attrName,
                                const TXmlValue &value) const;
    IXmlElement FindChildByAttr(int elementId, int attrId, const TXmlValue &value) const;

    int AttrCount() const { return FAttrCount; }
    int AttrNameId(int index) const;
    const std::string &AttrName(int index) const;
    const TXmlValue &AttrValue(int index) const;
    void RemoveAttr(std::string_view name);
    void RemoveAttr(int nameId);
    void RemoveAllAttrs();
    bool HasAttr(std::string_view name) const;
    bool HasAttr(int nameId) const;
    int AttrType(std::string_view name) const;
    int AttrType(int nameId) const;

    TXmlValue ReadVarAttr(std::string_view name, const TXmlValue &def = {}) const;
    TXmlValue ReadVarAttr(int nameId, const TXmlValue &def = {}) const;
    void WriteVarAttr(std::string_view name, const TXmlValue &value);
    void WriteVarAttr(int nameId, const TXmlValue &value);
    void WriteVarAttr(int nameId, TXmlValue &&value);
    std::string RequireAttr(std::string_view name) const;
    std::string RequireAttr(int nameId) const;
    std::string ReadAttr(std::string_view name, const std::string &def = {}) const;
    std::string ReadAttr(int nameId, const std::string &def = {}) const;
    void WriteAttr(std::string_view name, std::string_view text);
    void WriteAttr(int nameId, std::string_view text);

    bool ReadBoolAttr(std::string_view name, bool def = false) const;
    bool ReadBoolAttr(int nameId, bool def = false) const;
    void WriteBoolAttr(std::string_view name, bool value);
    void WriteBoolAttr(int nameId, bool value);
    int ReadIntAttr(std::string_view name, int def = 0) const;
    int ReadIntAttr(int nameId, int def = 0) const;
    void WriteIntAttr(std::string_view name, int value);
    void WriteIntAttr(int nameId, int value);
    double ReadFloatAttr(std::string_view name, double def = 0) const;
    double ReadFloatAttr(int nameId, double def = 0) const;
    void WriteFloatAttr(std::string_view name, double value);
    void WriteFloatAttr(int nameId, double value);
    TDateTime ReadDateTimeAttr(std::string_view name, TDateTime def = 0) const;
    TDateTime ReadDateTimeAttr(int nameId, TDateTime def = 0) const;
    void WriteDateTimeAttr(std::string_view name, TDateTime value);
    void WriteDateTimeAttr(int nameId, TDateTime value);
    int ReadHexAttr(std::string_view name, int def = 0) const;
    int ReadHexAttr(int nameId, int def = 0) const;
    void WriteHexAttr(std::string_view name, int value, int digits = 0);
    void WriteHexAttr(int nameId, int value, int digits = 0);
    int ReadEnumAttr(std::string_view name, const std::vector<std::string> &values,
                     int def = -1) const;
    int ReadEnumAttr(int nameId, const std::vector<std::string> &values, int def = -1) const;
    int RequireEnumAttr(std::string_view name, const std::vector<std::string> &values) const;
    int RequireEnumAttr(int nameId, const std::vector<std::string> &values) const;

    TXmlValue ValueAt(std::string_view path) const;
    void SetValueAt(std::string_view path, const TXmlValue &value);

    TXmlRef<TXmlElement> AsElement() const;
    TXmlRef<TXmlText> AsText() const;
    TXmlRef<TXmlCDATASection> AsCDATASection() const;
    TXmlRef<TXmlComment> AsComment() const;
    TXmlRef<TXmlProcessingInstruction> AsProcessingInstruction() const;

    // The document holding the node, or null; the whitespace rule of the
    // node's text and serialization.
    TXmlDocument *OwnerDocumentPtr() const;
    bool KeepsWhitespace() const;

    // Appends a node of this node's name table without the checks of
    // AppendChild; used by the readers.
    void AppendOwnChild(TXmlNode *child);
    // The same for a parent that holds no stored value (made by a reader).
    void AppendParsedChild(TXmlNode *child);
    // Sets an attribute without looking for an earlier one of the same name.
    void AppendAttr(int nameId, TXmlValue value);
    // Gives a node without attributes the count attributes a reader
    // collected, moved into an array of exactly that size.
    void AdoptParsedAttrs(TXmlAttrData *attrs, int count);

protected:
    explicit TXmlNode(TXmlNameTable *nameTable);
    ~TXmlNode() override;

    // Makes the child list ready for insertion (an element turns its stored
    // value into a first text child).
    virtual void PrepareChildren() {}
    // A copy of this node with its name and value, without attributes and
    // children.
    virtual TXmlNode *CloneSelf() const = 0;
    // Replaces the node's own name id when it moves to another table.
    virtual void RenameInto(TXmlNameTable *, TXmlNameTable *) {}
    TXmlNodeList &EnsureChildren();
    void ReplaceNameTable(TXmlNameTable *table);

private:
    friend class TXmlNodeList;
    int FindAttr(int nameId) const;
    int Id(std::string_view name) const;
    std::string EnumError(int nameId, std::string_view text,
                          const std::vector<std::string> &values) const;
    // Moves this node and its subtree into another name table.
    void MoveToNameTable(TXmlNameTable *table);

    TXmlNode *FParent = nullptr;
    TXmlNameTable *FNameTable;
    int FAttrCount = 0;
    int FAttrCapacity = 0;
    TXmlAttrData *FAttrs = nullptr;
    TXmlNodeList *FChildren = nullptr;
};

// The growth step of attribute arrays and child lists holding count entries.
inline int XmlGrowthStep(int count)
{
    return count < 9 ? 4 : count <= 64 ? 16 : count / 4;
}

// Joined texts of the element, text and CDATA children (Text of elements and
// documents); computed without recursion.
std::string XmlComposedText(const TXmlNode *node);

// Process-wide default of KeepWhitespace for new documents, and the rule for
// nodes outside any document.
inline bool XmlKeepWhitespaceDefault = false;
