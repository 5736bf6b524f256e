#include "xml/XmlNode.h"

#include "platform/Exception.h"
#include "xml/XmlDocument.h"
#include "xml/XmlWriter.h"

#include <cctype>
#include <new>

namespace
{

// A simple name: a letter or "_" first, then letters, digits, "-", ".", ":"
// or "_".
bool IsSimpleName(std::string_view name)
{
    if (name.empty())
        return false;
    const unsigned char first = static_cast<unsigned char>(name[0]);
    if (first != '_' && !IsCodePageLetter(first))
        return false;
    for (char ch : name.substr(1)) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (!IsCodePageLetter(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.' && c != ':' &&
            c != '_')
            return false;
    }
    return true;
}

void CheckSimpleName(std::string_view name)
{
    if (!IsSimpleName(name))
        throw Exception("The XML feature is not supported");
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void AppendJoined(std::string &acc, const std::string &text)
{
    if (text.empty())
        return;
    if (!acc.empty())
        acc += ' ';
    acc += text;
}

TXmlAttrData *AllocateAttrs(int capacity)
{
    TXmlAttrData *attrs =
        static_cast<TXmlAttrData *>(TXmlPool::Allocate(sizeof(TXmlAttrData) * size_t(capacity)));
    for (int i = 0; i < capacity; ++i)
        new (attrs + i) TXmlAttrData;
    return attrs;
}

void FreeAttrs(TXmlAttrData *attrs, int capacity) noexcept
{
    if (!attrs)
        return;
    for (int i = 0; i < capacity; ++i)
        attrs[i].~TXmlAttrData();
    TXmlPool::Free(attrs, sizeof(TXmlAttrData) * size_t(capacity));
}

} // namespace

std::string XmlComposedText(const TXmlNode *node)
{
    struct Frame {
        const TXmlNode *Node;
        int Index;
        std::string Text;
    };
    std::vector<Frame> stack;
    stack.push_back({node, 0, {}});
    for (;;) {
        Frame &top = stack.back();
        const TXmlNodeList *list = top.Node->ChildList();
        if (!list || top.Index >= list->Count()) {
            std::string done = std::move(top.Text);
            stack.pop_back();
            if (stack.empty())
                return done;
            AppendJoined(stack.back().Text, done);
            continue;
        }
        const TXmlNode *child = list->ItemPtr(top.Index++);
        switch (child->NodeType()) {
        case TXmlNode::ELEMENT_NODE:
            if (child->ChildList())
                stack.push_back({child, 0, {}});
            else
                AppendJoined(top.Text, child->Text());
            break;
        case TXmlNode::TEXT_NODE:
        case TXmlNode::CDATA_SECTION_NODE:
            AppendJoined(top.Text, child->Text());
            break;
        default:
            break;
        }
    }
}

TXmlNode::TXmlNode(TXmlNameTable *nameTable) : FNameTable(nameTable)
{
    FNameTable->AddRef();
}

TXmlNode::~TXmlNode()
{
    if (FChildren) {
        // A list held only here clears its nodes' parent links as it goes;
        // a list held elsewhere too outlives this node and loses its owner.
        if (FChildren->RefCount() > 1) {
            for (int i = 0; i < FChildren->FCount; ++i)
                if (FChildren->FItems[i]->FParent == this)
                    FChildren->FItems[i]->FParent = nullptr;
            FChildren->FOwner = nullptr;
        }
        FChildren->Release();
    }
    FreeAttrs(FAttrs, FAttrCapacity);
    FNameTable->Release();
}

TXmlRef<TXmlNameTable> TXmlNode::NameTable() const
{
    return TXmlRef<TXmlNameTable>(FNameTable);
}

const std::string &TXmlNode::NodeName() const
{
    return FNameTable->IdToName(NameId());
}

int TXmlNode::Id(std::string_view name) const
{
    return FNameTable->NameToId(name);
}

void TXmlNode::ReplaceNameTable(TXmlNameTable *table)
{
    table->AddRef();
    FNameTable->Release();
    FNameTable = table;
}

std::string TXmlNode::Text() const
{
    return {};
}
void TXmlNode::SetText(std::string_view) {}
int TXmlNode::DataType() const
{
    return TXmlValue::varString;
}
TXmlValue TXmlNode::Value() const
{
    return TXmlValue(Text());
}
void TXmlNode::SetValue(const TXmlValue &) {}

std::string TXmlNode::Xml() const
{
    std::string out;
    WriteXml(this, out);
    return out;
}

IXmlNode TXmlNode::CloneNode(bool deep) const
{
    auto cloneOne = [](const TXmlNode *source) {
        TXmlNode *copy = source->CloneSelf();
        if (source->FAttrCount) {
            copy->FAttrs = AllocateAttrs(source->FAttrCapacity);
            copy->FAttrCapacity = source->FAttrCapacity;
            for (int i = 0; i < source->FAttrCount; ++i)
                copy->FAttrs[i] = source->FAttrs[i];
            copy->FAttrCount = source->FAttrCount;
        }
        return copy;
    };
    IXmlNode root(cloneOne(this));
    if (!deep)
        return root;
    std::vector<std::pair<const TXmlNode *, TXmlNode *>> pending{{this, root.get()}};
    while (!pending.empty()) {
        auto [source, copy] = pending.back();
        pending.pop_back();
        const TXmlNodeList *list = source->ChildList();
        for (int i = 0; list && i < list->Count(); ++i) {
            TXmlNode *child = cloneOne(list->ItemPtr(i));
            copy->EnsureChildren().Add(child);
            pending.emplace_back(list->ItemPtr(i), child);
        }
    }
    return root;
}

IXmlNode TXmlNode::ParentNode() const
{
    return IXmlNode(FParent);
}

TXmlDocument *TXmlNode::OwnerDocumentPtr() const
{
    for (const TXmlNode *node = this; node; node = node->FParent)
        if (node->NodeType() == DOCUMENT_NODE)
            return static_cast<TXmlDocument *>(const_cast<TXmlNode *>(node));
    return nullptr;
}

IXmlDocument TXmlNode::OwnerDocument() const
{
    return IXmlDocument(OwnerDocumentPtr());
}

bool TXmlNode::KeepsWhitespace() const
{
    const TXmlDocument *doc = OwnerDocumentPtr();
    return doc ? doc->KeepWhitespace() : XmlKeepWhitespaceDefault;
}

TXmlNodeList &TXmlNode::EnsureChildren()
{
    if (!FChildren) {
        FChildren = new TXmlNodeList(this);
        FChildren->AddRef();
    }
    return *FChildren;
}

IXmlNodeList TXmlNode::ChildNodes()
{
    PrepareChildren();
    return IXmlNodeList(&EnsureChildren());
}

const TXmlNodeList *TXmlNode::ChildList() const
{
    return FChildren && FChildren->Count() ? FChildren : nullptr;
}

bool TXmlNode::HasChildNodes() const
{
    return ChildList() != nullptr;
}

void TXmlNode::AppendParsedChild(TXmlNode *child)
{
    EnsureChildren().Add(child);
}

void TXmlNode::AppendOwnChild(TXmlNode *child)
{
    PrepareChildren();
    EnsureChildren().Add(child);
}

void TXmlNode::MoveToNameTable(TXmlNameTable *table)
{
    TXmlNameTable *from = FNameTable;
    from->AddRef();
    std::vector<TXmlNode *> pending{this};
    while (!pending.empty()) {
        TXmlNode *node = pending.back();
        pending.pop_back();
        if (node->FNameTable != from)
            continue;
        node->RenameInto(from, table);
        for (int i = 0; i < node->FAttrCount; ++i)
            node->FAttrs[i].NameId = table->NameToId(from->IdToName(node->FAttrs[i].NameId));
        node->ReplaceNameTable(table);
        if (node->FChildren)
            for (int i = 0; i < node->FChildren->FCount; ++i)
                pending.push_back(node->FChildren->FItems[i]);
    }
    from->Release();
}

IXmlNode TXmlNode::AppendChild(const IXmlNode &newChild)
{
    if (!newChild)
        return {};
    PrepareChildren();
    EnsureChildren().Add(newChild.get());
    return newChild;
}

IXmlNode TXmlNode::InsertBefore(const IXmlNode &newChild, const IXmlNode &refChild)
{
    if (!newChild)
        return {};
    PrepareChildren();
    TXmlNodeList &list = EnsureChildren();
    const int index = refChild ? list.IndexOf(refChild.get()) : -1;
    list.Insert(index < 0 ? list.Count() : index, newChild.get());
    return newChild;
}

IXmlNode TXmlNode::ReplaceChild(const IXmlNode &newChild, const IXmlNode &oldChild)
{
    if (!newChild || !oldChild || !FChildren)
        return {};
    const int index = FChildren->IndexOf(oldChild.get());
    if (index < 0)
        return {};
    FChildren->Delete(index);
    FChildren->Insert(index, newChild.get());
    return oldChild;
}

int TXmlNode::RemoveChild(const IXmlNode &child)
{
    if (!child || !FChildren)
        return -1;
    const int index = FChildren->IndexOf(child.get());
    if (index >= 0)
        FChildren->Delete(index);
    return index;
}

IXmlElement TXmlNode::AppendElement(int nameId)
{
    IXmlElement element(new TXmlElement(FNameTable, nameId));
    AppendChild(element);
    return element;
}

IXmlElement TXmlNode::AppendElement(std::string_view name)
{
    return AppendElement(Id(name));
}

IXmlNode TXmlNode::AppendText(std::string_view text)
{
    return AppendChild(IXmlNode(new TXmlText(FNameTable, TXmlValue(text))));
}

IXmlNode TXmlNode::AppendRawText(std::string_view text)
{
    TXmlText *node = new TXmlText(FNameTable, TXmlValue(text));
    node->SetRaw(true);
    return AppendChild(IXmlNode(node));
}

IXmlNode TXmlNode::AppendCDATA(std::string_view text)
{
    return AppendChild(IXmlNode(new TXmlCDATASection(FNameTable, text)));
}

IXmlNode TXmlNode::AppendComment(std::string_view text)
{
    return AppendChild(IXmlNode(new TXmlComment(FNameTable, text)));
}

IXmlNode TXmlNode::AppendProcessingInstruction(int targetId, std::string_view text)
{
    return AppendChild(IXmlNode(new TXmlProcessingInstruction(FNameTable, targetId, text)));
}

IXmlNode TXmlNode::AppendProcessingInstruction(std::string_view target, std::string_view text)
{
    return AppendProcessingInstruction(Id(target), text);
}

IXmlElement TXmlNode::FirstChildNamed(int nameId) const
{
    if (FChildren)
        for (int i = 0; i < FChildren->FCount; ++i) {
            TXmlNode *child = FChildren->FItems[i];
            if (child->NodeType() == ELEMENT_NODE && child->NameId() == nameId)
                return IXmlElement(static_cast<TXmlElement *>(child));
        }
    return {};
}

IXmlElement TXmlNode::FirstChildNamed(std::string_view name) const
{
    CheckSimpleName(name);
    return FirstChildNamed(Id(name));
}

IXmlNodeList TXmlNode::ChildElementsNamed(int nameId) const
{
    IXmlNodeList result(new TXmlNodeList);
    if (FChildren)
        for (int i = 0; i < FChildren->FCount; ++i) {
            TXmlNode *child = FChildren->FItems[i];
            if (child->NodeType() == ELEMENT_NODE && child->NameId() == nameId)
                result->Add(child);
        }
    return result;
}

IXmlNodeList TXmlNode::ChildElementsNamed(std::string_view name) const
{
    CheckSimpleName(name);
    return ChildElementsNamed(Id(name));
}

std::string TXmlNode::ChildText(int nameId, const std::string &def) const
{
    IXmlElement child = FirstChildNamed(nameId);
    return child ? child->Text() : def;
}

std::string TXmlNode::ChildText(std::string_view name, const std::string &def) const
{
    return ChildText(Id(name), def);
}

void TXmlNode::SetChildText(int nameId, std::string_view text)
{
    ChildOrNew(nameId)->SetText(text);
}

void TXmlNode::SetChildText(std::string_view name, std::string_view text)
{
    SetChildText(Id(name), text);
}

IXmlElement TXmlNode::RequireChild(int nameId) const
{
    IXmlElement child = FirstChildNamed(nameId);
    if (!child)
        throw Exception("Child element not found \"" + FNameTable->IdToName(nameId) + "\".");
    return child;
}

IXmlElement TXmlNode::RequireChild(std::string_view name) const
{
    return RequireChild(Id(name));
}

IXmlElement TXmlNode::ChildOrNew(int nameId)
{
    IXmlElement child = FirstChildNamed(nameId);
    return child ? child : AppendElement(nameId);
}

IXmlElement TXmlNode::ChildOrNew(std::string_view name)
{
    return ChildOrNew(Id(name));
}

void TXmlNode::RemoveAllChildren()
{
    if (FChildren)
        FChildren->Clear();
}

IXmlElement TXmlNode::FindChildByAttr(int elementId, int attrId, const TXmlValue &value) const
{
    if (FChildren)
        for (int i = 0; i < FChildren->FCount; ++i) {
            TXmlNode *child = FChildren->FItems[i];
            if (child->NodeType() != ELEMENT_NODE || child->NameId() != elementId)
                continue;
            const int index = child->FindAttr(attrId);
            if (index >= 0 && child->FAttrs[index].Value.Equals(value))
                return IXmlElement(static_cast<TXmlElement *>(child));
        }
    return {};
}

IXmlElement TXmlNode::FindChildByAttr(std::string_view elementName, std::string_view attrName,
                                      const TXmlValue &value) const
{
    return FindChildByAttr(Id(elementName), Id(attrName), value);
}

int TXmlNode::FindAttr(int nameId) const
{
    for (int i = 0; i < FAttrCount; ++i)
        if (FAttrs[i].NameId == nameId)
            return i;
    return -1;
}

int TXmlNode::AttrNameId(int index) const
{
    if (index < 0 || index >= FAttrCount)
        throw Exception("Error getting list element: index is out of range.");
    return FAttrs[index].NameId;
}

const std::string &TXmlNode::AttrName(int index) const
{
    return FNameTable->IdToName(AttrNameId(index));
}

const TXmlValue &TXmlNode::AttrValue(int index) const
{
    AttrNameId(index);
    return FAttrs[index].Value;
}

void TXmlNode::RemoveAttr(int nameId)
{
    const int index = FindAttr(nameId);
    if (index < 0)
        return;
    for (int i = index; i + 1 < FAttrCount; ++i)
        FAttrs[i] = std::move(FAttrs[i + 1]);
    --FAttrCount;
    FAttrs[FAttrCount].Value = TXmlValue();
}

void TXmlNode::RemoveAttr(std::string_view name)
{
    RemoveAttr(Id(name));
}

void TXmlNode::RemoveAllAttrs()
{
    for (int i = 0; i < FAttrCount; ++i)
        FAttrs[i].Value = TXmlValue();
    FAttrCount = 0;
}

bool TXmlNode::HasAttr(int nameId) const
{
    return FindAttr(nameId) >= 0;
}
bool TXmlNode::HasAttr(std::string_view name) const
{
    return HasAttr(Id(name));
}

int TXmlNode::AttrType(int nameId) const
{
    const int index = FindAttr(nameId);
    return index < 0 ? int(TXmlValue::varString) : int(FAttrs[index].Value.Type());
}

int TXmlNode::AttrType(std::string_view name) const
{
    return AttrType(Id(name));
}

void TXmlNode::AppendAttr(int nameId, TXmlValue value)
{
    if (FAttrCount == FAttrCapacity) {
        const int capacity = FAttrCapacity + XmlGrowthStep(FAttrCapacity);
        TXmlAttrData *attrs = AllocateAttrs(capacity);
        for (int i = 0; i < FAttrCount; ++i)
            attrs[i] = std::move(FAttrs[i]);
        FreeAttrs(FAttrs, FAttrCapacity);
        FAttrs = attrs;
        FAttrCapacity = capacity;
    }
    FAttrs[FAttrCount].NameId = nameId;
    FAttrs[FAttrCount].Value = std::move(value);
    ++FAttrCount;
}

void TXmlNode::AdoptParsedAttrs(TXmlAttrData *attrs, int count)
{
    TXmlAttrData *own =
        static_cast<TXmlAttrData *>(TXmlPool::Allocate(sizeof(TXmlAttrData) * size_t(count)));
    for (int i = 0; i < count; ++i)
        new (own + i) TXmlAttrData{attrs[i].NameId, std::move(attrs[i].Value)};
    FAttrs = own;
    FAttrCapacity = FAttrCount = count;
}

void TXmlNode::WriteVarAttr(int nameId, const TXmlValue &value)
{
    const int index = FindAttr(nameId);
    if (index >= 0)
        FAttrs[index].Value = value;
    else
        AppendAttr(nameId, value);
}

void TXmlNode::WriteVarAttr(int nameId, TXmlValue &&value)
{
    const int index = FindAttr(nameId);
    if (index >= 0)
        FAttrs[index].Value = std::move(value);
    else
        AppendAttr(nameId, std::move(value));
}

void TXmlNode::WriteVarAttr(std::string_view name, const TXmlValue &value)
{
    WriteVarAttr(Id(name), value);
}

TXmlValue TXmlNode::ReadVarAttr(int nameId, const TXmlValue &def) const
{
    const int index = FindAttr(nameId);
    return index < 0 ? def : FAttrs[index].Value;
}

TXmlValue TXmlNode::ReadVarAttr(std::string_view name, const TXmlValue &def) const
{
    return ReadVarAttr(Id(name), def);
}

std::string TXmlNode::RequireAttr(int nameId) const
{
    const int index = FindAttr(nameId);
    if (index < 0)
        throw Exception("Attribute is not defined \"" + FNameTable->IdToName(nameId) + "\"");
    return FAttrs[index].Value.Text();
}

std::string TXmlNode::RequireAttr(std::string_view name) const
{
    return RequireAttr(Id(name));
}

std::string TXmlNode::ReadAttr(int nameId, const std::string &def) const
{
    const int index = FindAttr(nameId);
    return index < 0 ? def : FAttrs[index].Value.Text();
}

std::string TXmlNode::ReadAttr(std::string_view name, const std::string &def) const
{
    return ReadAttr(Id(name), def);
}

void TXmlNode::WriteAttr(int nameId, std::string_view text)
{
    WriteVarAttr(nameId, TXmlValue(text));
}

void TXmlNode::WriteAttr(std::string_view name, std::string_view text)
{
    WriteAttr(Id(name), text);
}

bool TXmlNode::ReadBoolAttr(int nameId, bool def) const
{
    const int index = FindAttr(nameId);
    return index < 0 ? def : FAttrs[index].Value.ToBool();
}

bool TXmlNode::ReadBoolAttr(std::string_view name, bool def) const
{
    return ReadBoolAttr(Id(name), def);
}

void TXmlNode::WriteBoolAttr(int nameId, bool value)
{
    WriteVarAttr(nameId, TXmlValue(value));
}
void TXmlNode::WriteBoolAttr(std::string_view name, bool value)
{
    WriteBoolAttr(Id(name), value);
}

int TXmlNode::ReadIntAttr(int nameId, int def) const
{
    const int index = FindAttr(nameId);
    return index < 0 ? def : FAttrs[index].Value.ToInt();
}

int TXmlNode::ReadIntAttr(std::string_view name, int def) const
{
    return ReadIntAttr(Id(name), def);
}

void TXmlNode::WriteIntAttr(int nameId, int value)
{
    WriteVarAttr(nameId, TXmlValue(value));
}
void TXmlNode::WriteIntAttr(std::string_view name, int value)
{
    WriteIntAttr(Id(name), value);
}

double TXmlNode::ReadFloatAttr(int nameId, double def) const
{
    const int index = FindAttr(nameId);
    return index < 0 ? def : FAttrs[index].Value.ToDouble();
}

double TXmlNode::ReadFloatAttr(std::string_view name, double def) const
{
    return ReadFloatAttr(Id(name), def);
}

void TXmlNode::WriteFloatAttr(int nameId, double value)
{
    WriteVarAttr(nameId, TXmlValue(value));
}
void TXmlNode::WriteFloatAttr(std::string_view name, double value)
{
    WriteFloatAttr(Id(name), value);
}

TDateTime TXmlNode::ReadDateTimeAttr(int nameId, TDateTime def) const
{
    const int index = FindAttr(nameId);
    return index < 0 ? def : FAttrs[index].Value.ToDateTime();
}

TDateTime TXmlNode::ReadDateTimeAttr(std::string_view name, TDateTime def) const
{
    return ReadDateTimeAttr(Id(name), def);
}

void TXmlNode::WriteDateTimeAttr(int nameId, TDateTime value)
{
    WriteVarAttr(nameId, TXmlValue::Date(value));
}

void TXmlNode::WriteDateTimeAttr(std::string_view name, TDateTime value)
{
    WriteDateTimeAttr(Id(name), value);
}

int TXmlNode::ReadHexAttr(int nameId, int def) const
{
    const int index = FindAttr(nameId);
    if (index < 0)
        return def;
    const std::string text = FAttrs[index].Value.Text();
    return TXmlValue("$" + text).ToInt();
}

int TXmlNode::ReadHexAttr(std::string_view name, int def) const
{
    return ReadHexAttr(Id(name), def);
}

void TXmlNode::WriteHexAttr(int nameId, int value, int digits)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*X",
                  digits < 0    ? 0
                  : digits > 16 ? 16
                                : digits,
                  unsigned(value));
    WriteAttr(nameId, buffer);
}

void TXmlNode::WriteHexAttr(std::string_view name, int value, int digits)
{
    WriteHexAttr(Id(name), value, digits);
}

std::string TXmlNode::EnumError(int nameId, std::string_view text,
                                const std::vector<std::string> &values) const
{
    std::string message = "Invalid value \"" + std::string(text) + "\" of attribute \"" +
                          FNameTable->IdToName(nameId) + "\" of element \"" + NodeName() +
                          "\". Valid values are:";
    for (const std::string &value : values)
        message += "\n" + value;
    return message;
}

int TXmlNode::ReadEnumAttr(int nameId, const std::vector<std::string> &values, int def) const
{
    const int index = FindAttr(nameId);
    if (index < 0)
        return def;
    const std::string text = FAttrs[index].Value.Text();
    for (size_t i = 0; i < values.size(); ++i)
        if (EqualNoCase(values[i], text))
            return int(i);
    throw Exception(EnumError(nameId, text, values));
}

int TXmlNode::ReadEnumAttr(std::string_view name, const std::vector<std::string> &values,
                           int def) const
{
    return ReadEnumAttr(Id(name), values, def);
}

int TXmlNode::RequireEnumAttr(int nameId, const std::vector<std::string> &values) const
{
    if (FindAttr(nameId) < 0)
        throw Exception("Attribute not found \"" + FNameTable->IdToName(nameId) + "\"");
    return ReadEnumAttr(nameId, values, -1);
}

int TXmlNode::RequireEnumAttr(std::string_view name, const std::vector<std::string> &values) const
{
    return RequireEnumAttr(Id(name), values);
}

TXmlValue TXmlNode::ValueAt(std::string_view path) const
{
    if (path.empty())
        return Value();
    if (path[0] == '@')
        return ReadVarAttr(path.substr(1), TXmlValue(std::string_view()));
    IXmlElement child = FirstChildNamed(Id(path));
    return child ? child->Value() : TXmlValue(std::string_view());
}

void TXmlNode::SetValueAt(std::string_view path, const TXmlValue &value)
{
    if (path.empty())
        SetValue(value);
    else if (path[0] == '@')
        WriteVarAttr(path.substr(1), value);
    else
        ChildOrNew(path)->SetValue(value);
}

TXmlRef<TXmlElement> TXmlNode::AsElement() const
{
    return NodeType() == ELEMENT_NODE
               ? TXmlRef<TXmlElement>(static_cast<TXmlElement *>(const_cast<TXmlNode *>(this)))
               : nullptr;
}

TXmlRef<TXmlText> TXmlNode::AsText() const
{
    return NodeType() == TEXT_NODE
               ? TXmlRef<TXmlText>(static_cast<TXmlText *>(const_cast<TXmlNode *>(this)))
               : nullptr;
}

TXmlRef<TXmlCDATASection> TXmlNode::AsCDATASection() const
{
    return NodeType() == CDATA_SECTION_NODE
               ? TXmlRef<TXmlCDATASection>(
                     static_cast<TXmlCDATASection *>(const_cast<TXmlNode *>(this)))
               : nullptr;
}

TXmlRef<TXmlComment> TXmlNode::AsComment() const
{
    return NodeType() == COMMENT_NODE
               ? TXmlRef<TXmlComment>(static_cast<TXmlComment *>(const_cast<TXmlNode *>(this)))
               : nullptr;
}

TXmlRef<TXmlProcessingInstruction> TXmlNode::AsProcessingInstruction() const
{
    return NodeType() == PROCESSING_INSTRUCTION_NODE
               ? TXmlRef<TXmlProcessingInstruction>(
                     static_cast<TXmlProcessingInstruction *>(const_cast<TXmlNode *>(this)))
               : nullptr;
}
