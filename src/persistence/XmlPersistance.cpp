#include "persistence/XmlPersistance.h"

#include "controls/ControlsFactory.h"
#include "controls/Graphic.h"
#include "controls/LXDesigned.h"
#include "controls/LXPlaceholder.h"
#include "controls/LXStringGrid.h"
#include "controls/Picture.h"
#include "controls/Strings.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSDirectWriter.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutSurface.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "platform/Exception.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/StrUtils.h"
#include "xml/XmlBase64.h"
#include "xml/XmlDocument.h"
#include "xml/XmlElement.h"
#include "xml/XmlNameTable.h"
#include "xml/XmlNodeList.h"
#include "xml/XmlValue.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QWidget>
#include <algorithm>

namespace
{

// A decimal cell coordinate; anything else is a conversion error.
int CellIndex(const std::string &text)
{
    int64_t value;
    if (!StrUtils::ParseInt64(text, value) || value < INT32_MIN || value > INT32_MAX)
        throw Exception("'" + text + "' is not a valid integer value");
    return static_cast<int>(value);
}

// A row's Value text splits a value at line breaks into columns and trims
// trailing blanks; a layout keeps the one value of its single column whole.
std::string ValueText(TRSItemProp *row)
{
    TRSItemPropValueStrings *values = row->Values();
    return values->Count() == 1 ? values->Get(0) : row->Value();
}

void SetValueText(TRSItemProp *row, const std::string &text)
{
    TRSItemPropValueStrings *values = row->Values();
    if (values->Count() == 1)
        values->Put(0, text);
    else
        row->SetValue(text);
}

// An attribute's text, seen where the document holds it (a string value) or
// else made into spare; empty when the node has no such attribute.
std::string_view AttrText(const TXmlNode &node, int nameId, std::string &spare)
{
    for (int i = 0; i < node.AttrCount(); ++i) {
        if (node.AttrNameId(i) != nameId)
            continue;
        const TXmlValue &value = node.AttrValue(i);
        if (value.Type() == TXmlValue::varString)
            return value.Bytes();
        spare = value.Text();
        return spare;
    }
    return {};
}

} // namespace

TXmlPersistance::TXmlPersistance(TLayoutSurface *surface, TRSObjectInspector *inspector)
    : Inspector(inspector), Surface(surface),
      Container(surface ? surface->SurfaceWidget() : nullptr)
{
}

TXmlPersistance::~TXmlPersistance() = default;

std::string TXmlPersistance::PictureFormatName(const TPicture &picture)
{
    const TGraphic *graphic = picture.Graphic();
    const QString cls = graphic ? graphic->ClassName() : QString();
    if (cls == QLatin1String("TJPEGImage"))
        return "JPG";
    if (cls == QLatin1String("TIcon"))
        return "ICO";
    if (cls == QLatin1String("TMetafile"))
        return "WMF";
    return "BMP";
}

void TXmlPersistance::BindInspector(QWidget *control)
{
    Inspector->SetComponent(control ? AsDesigned(control) : nullptr);
    Inspector->Rebuild();
}

IXmlElement TXmlPersistance::ControlsRoot(const IXmlElement &root, QWidget *)
{
    return root;
}

bool TXmlPersistance::IsLayoutRoot(const IXmlElement &root) const
{
    return root->NodeName() == "root";
}

IXmlElement TXmlPersistance::CreateDocument()
{
    Document = NewXmlDocument("root", "1.0");
    return Document->DocumentElement();
}

void TXmlPersistance::BuildDocument()
{
    const IXmlElement root = CreateDocument();
    WriteChildren(root, Container);
}

void TXmlPersistance::Save(const std::string &fileName)
{
    BuildDocument();
    Document->SaveToFile(fileName);
}

std::string TXmlPersistance::SaveToText()
{
    BuildDocument();
    return Document->Xml();
}

void TXmlPersistance::WriteOne(QWidget *control, const IXmlElement &element)
{
    if (dynamic_cast<TLXPlaceholder *>(control)) {
        WritePlaceholder(control, element);
        return;
    }
    BindInspector(control);
    const IXmlElement e = WriteControl(Inspector, element);
    if (e)
        WriteChildren(e, control);
}

void TXmlPersistance::WriteChildren(const IXmlElement &element, QWidget *parent)
{
    if (!element)
        return;
    const QList<QWidget *> children = TControlsFactory::DesignedChildren(parent);
    if (children.isEmpty())
        return;
    for (QWidget *child : children)
        WriteOne(child, element);
    BindInspector(nullptr);
}

IXmlElement TXmlPersistance::WriteControl(TRSObjectInspector *inspector, const IXmlElement &parent)
{
    const IXmlElement e = parent->AppendElement("control");
    auto *control = dynamic_cast<TLXDesigned *>(inspector->Component());
    QWidget *widget = control ? control->Widget() : nullptr;
    e->WriteAttr("type", CodePage::FromQString(ControlsFactory->GetKindName(widget)));
    WriteProperties(inspector->Inspector()->Items(), e);
    WriteGridCells(widget, e);
    if (const TKeptContent *kept = TKeptContent::Of(widget))
        WriteKept(*kept, e);
    return e;
}

void TXmlPersistance::WriteKept(const TKeptContent &kept, const IXmlElement &element)
{
    // A node goes back after the property element of the name it followed;
    // else after the one of the same property in the other form (a file
    // opened with categories on or off); else after the last property.
    // Places are slots among the elements as written: slot 0 comes before
    // the first, slot i + 1 after element i.
    const IXmlNodeList children = element->ChildNodes();
    const int count = children->Count();
    std::unordered_map<std::string, int> byName, byProperty;
    int afterProperties = 0;
    for (int i = 0; i < count; ++i) {
        const TXmlNode *child = children->ItemPtr(i);
        if (child->NodeType() != TXmlNode::ELEMENT_NODE || child->NodeName() != "property")
            continue;
        const std::string name = child->ReadAttr("name");
        byProperty.try_emplace(StrUtils::LowerAscii(StoredName(name)), i + 1);
        byName.try_emplace(name, i + 1);
        afterProperties = i + 1;
    }
    std::vector<std::vector<IXmlNode>> places(static_cast<size_t>(count) + 1);
    for (const TKeptContent::TEntry &entry : kept.Entries) {
        int slot = 0;
        if (const auto exact = byName.find(entry.After); exact != byName.end()) {
            slot = exact->second;
        } else if (!entry.After.empty()) {
            const auto same = byProperty.find(StrUtils::LowerAscii(StoredName(entry.After)));
            slot = same != byProperty.end() ? same->second : afterProperties;
        }
        places[static_cast<size_t>(slot)].push_back(entry.Node->CloneNode(true));
    }
    std::vector<IXmlNode> written;
    for (int i = 0; i < count; ++i)
        written.push_back(children->Item(i));
    children->Clear();
    for (int slot = 0; slot <= count; ++slot) {
        for (const IXmlNode &node : places[static_cast<size_t>(slot)])
            children->Add(node.get());
        if (slot < count)
            children->Add(written[static_cast<size_t>(slot)].get());
    }
}

std::string_view TXmlPersistance::StoredName(std::string_view path) const
{
    TRSCustomObjectInspector *inspector = Inspector->Inspector();
    const std::string &delimiter = inspector->PathDelimiter();
    const size_t cut = path.find(delimiter);
    if (cut != std::string_view::npos && inspector->IsCategoryName(path.substr(0, cut)))
        return path.substr(cut + delimiter.size());
    return path;
}

void TXmlPersistance::WritePlaceholder(QWidget *control, const IXmlElement &parent)
{
    const TKeptContent *kept = TKeptContent::Of(control);
    IXmlElement e;
    if (kept && kept->Element) {
        e = kept->Element->CloneNode(true)->AsElement();
        parent->AppendChild(e);
    } else {
        e = parent->AppendElement("control");
        e->WriteAttr("type", CodePage::FromQString(ControlsFactory->GetKindName(control)));
    }
    // Only what the designer changes of it is written anew; a value the
    // element did not hold is added when it is no longer the one assumed.
    const QRect g = control->geometry();
    struct TValue {
        const char *Name;
        std::string Text;
        std::string Assumed;
        bool Present = false;
    };
    TValue values[] = {
        {"Height", std::to_string(g.height()), std::to_string(TLXPlaceholder::DefaultHeight)},
        {"Left", std::to_string(g.x()), "0"},
        {"Name", CodePage::FromQString(control->objectName()), ""},
        {"Top", std::to_string(g.y()), "0"},
        {"Width", std::to_string(g.width()), std::to_string(TLXPlaceholder::DefaultWidth)},
    };
    const IXmlNodeList children = e->ChildNodes();
    int properties = 0;
    for (int i = 0; i < children->Count(); ++i) {
        const IXmlNode child = children->Item(i);
        if (child->NodeType() != TXmlNode::ELEMENT_NODE || child->NodeName() != "property")
            continue;
        properties = i + 1;
        const std::string name = child->ReadAttr("name");
        for (TValue &value : values)
            if (StrUtils::SameText(StoredName(name), value.Name)) {
                child->WriteAttr("value", value.Text);
                value.Present = true;
            }
    }
    for (TValue &value : values) {
        if (value.Present || value.Text == value.Assumed)
            continue;
        const IXmlElement p = e->OwnerDocument()->CreateElement("property");
        p->WriteAttr("name", value.Name);
        p->WriteAttr("value", value.Text);
        children->Insert(properties++, p.get());
    }
}

void TXmlPersistance::WriteProperties(TRSItemProps *rows, const IXmlElement &element)
{
    for (int i = 0; i < rows->Count(); ++i) {
        TRSItemProp *item = rows->Item(i);
        // A category is no property: it writes its rows, and nothing when
        // the filters left it none.
        if (item->Category()) {
            WriteProperties(item->Items(), element);
            continue;
        }
        auto *row = static_cast<TRSItemProperty *>(item);
        if (WriteSpecialProperty(row, element))
            continue;
        if (row->Items()->Count() > 0) {
            WriteProperties(row->Items(), element);
            continue;
        }
        const IXmlElement p = element->AppendElement("property");
        p->WriteAttr("name", row->GetFullName());
        p->WriteAttr("value", ValueText(row));
    }
}

bool TXmlPersistance::WriteSpecialProperty(TRSItemProperty *row, const IXmlElement &element)
{
    if (row->TypeKind() != tkClass)
        return false;
    try {
        TPersistent *object = row->GetObjectValue(-1);
        if (row->TypeName() == "TStrings") {
            auto *strings = dynamic_cast<TStrings *>(object);
            if (!strings)
                return false;
            const IXmlElement p = element->AppendElement("property");
            p->WriteAttr("name", row->GetFullName());
            p->WriteAttr("type", "strings");
            for (const std::string &line : strings->Strings())
                p->AppendElement("line")->WriteAttr("value", line);
            return true;
        }
        if (row->TypeName() == "TPicture") {
            auto *picture = dynamic_cast<TPicture *>(object);
            if (!picture || !picture->Graphic())
                return false;
            const QByteArray bytes = picture->Graphic()->SaveToBytes();
            const IXmlElement p = element->AppendElement("property");
            p->WriteAttr("name", row->GetFullName());
            p->WriteAttr("type", "picture");
            const IXmlElement b = p->AppendElement("bitmap");
            b->WriteAttr("format", PictureFormatName(*picture));
            b->SetTextAsBase64(bytes.constData(), static_cast<size_t>(bytes.size()), 0);
            return true;
        }
    } catch (const std::exception &) {
        // Written as a plain property instead.
    }
    return false;
}

void TXmlPersistance::WriteGridCells(QWidget *control, const IXmlElement &element)
{
    auto *grid = dynamic_cast<TLXStringGrid *>(control);
    if (!grid)
        return;
    const IXmlElement cells = element->AppendElement("cells");
    for (int r = 0; r < grid->RowCount(); ++r) {
        for (int c = 0; c < grid->ColCount(); ++c) {
            const IXmlElement x = cells->AppendElement("cell");
            x->WriteAttr("col", std::to_string(c));
            x->WriteAttr("row", std::to_string(r));
            x->SetText(CodePage::FromQString(grid->Cell(c, r)));
        }
    }
}

void TXmlPersistance::Load(const std::string &fileName)
{
    // Controls nest at most MaxNesting levels; what is kept inside a control
    // without being understood may go some levels deeper. A text nested far
    // deeper is refused while it is read, before its tree takes the memory.
    Document = NewXmlDocument();
    Document->SetMaxDepth(MaxNesting + KeptDepth);
    Document->LoadFromFile(fileName);
    ReadDocument("\"" + fileName + "\" is not a form layout.");
}

void TXmlPersistance::LoadText(std::string_view text)
{
    Document = NewXmlDocument();
    Document->SetMaxDepth(MaxNesting + KeptDepth);
    Document->LoadFromText(text);
    ReadDocument("The text is not a form layout.");
}

void TXmlPersistance::ReadDocument(const std::string &notALayout)
{
    const IXmlElement root = Document->DocumentElement();
    // A file that is not a layout (empty, no root element, another
    // document's root) is refused before the design is touched.
    if (!root)
        throw Exception(notALayout);
    const IXmlElement r = ControlsRoot(root, Container);
    if (r && !IsLayoutRoot(root))
        throw Exception(notALayout);
    // The file's controls are made on a new client of the surface; the
    // current design gives way to them only once the whole file has been
    // read, so a file that fails half-way loses no work.
    FDirectlyWritten = 0;
    FNotes.clear();
    FNoteIndex.clear();
    Surface->BeginReplace();
    try {
        if (r)
            ReadChildren(r, Container);
    } catch (...) {
        BindInspector(nullptr);
        DropPolishRequests(true);
        Surface->CancelReplace();
        throw;
    }
    BindInspector(nullptr);
    DropPolishRequests(true);
    Surface->CommitReplace();
}

// Every widget made posts itself a request to be polished, and no event loop
// turns while a layout is read: tens of thousands would pile up, and each
// later event posted to one of those widgets, and each one destroyed, walks
// them all. The design is polished whole when it is shown, so the requests
// are dropped as they come.
void TXmlPersistance::DropPolishRequests(bool now)
{
    constexpr int batch = 128;
    if (!now && ++FMadeSinceDrop < batch)
        return;
    FMadeSinceDrop = 0;
    QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
}

void TXmlPersistance::ReadChildren(const IXmlNode &element, QWidget *parent)
{
    ++FNesting;
    const auto leave = qScopeGuard([this] { --FNesting; });
    const IXmlNodeList nodes = element->ChildNodes();
    const int count = nodes->Count();
    for (int i = 0; i < count; ++i) {
        const IXmlNode node = nodes->Item(i);
        if (FNesting > MaxNesting && node->NodeName() == "control")
            throw Exception("The layout nests controls more than " + std::to_string(MaxNesting) +
                            " levels deep, deeper than this designer can show.");
        if (QWidget *c = ReadControl(node, parent))
            ReadChildren(node, c);
    }
}

QWidget *TXmlPersistance::ReadControl(const IXmlNode &node, QWidget *parent)
{
    if (node->NodeName() != "control")
        return nullptr;
    const std::string kind = node->ReadAttr("type", "");
    QWidget *c = ControlsFactory->CreateControlByName(CodePage::ToQString(kind), parent);
    DropPolishRequests(false);
    if (!c) {
        // The controls inside it belong to it and stay in its element.
        ReadPlaceholder(node, kind, parent);
        return nullptr;
    }
    FReading.Entries.clear();
    FReadsCells = dynamic_cast<TLXStringGrid *>(c) != nullptr;
    if (FDirectWrites && !FDirect)
        FDirect = std::make_unique<TRSDirectWriter>(*Inspector->Inspector());
    if (FDirect && FDirect->Begin(AsDesigned(c))) {
        ++FDirectlyWritten;
        const TLXDesigned::TUpdate update(AsDesigned(c));
        try {
            ReadProperties(node, &FReading);
        } catch (...) {
            FDirect->End();
            throw;
        }
        FDirect->Finish();
    } else {
        BindInspector(c);
        const TLXDesigned::TUpdate update(AsDesigned(c));
        ReadProperties(node, &FReading);
    }
    ReadGridCells(c, node);
    if (!FReading.Entries.empty())
        TKeptContent::Attach(c, std::make_shared<TKeptContent>(std::move(FReading)));
    return c;
}

void TXmlPersistance::ReadPlaceholder(const IXmlNode &node, const std::string &kind,
                                      QWidget *parent)
{
    QWidget *c = ControlsFactory->CreatePlaceholder(CodePage::ToQString(kind), parent);
    if (!c)
        return;
    auto kept = std::make_shared<TKeptContent>();
    kept->Element = node->CloneNode(true)->AsElement();
    // Its place, size and name, in whichever form the file writes them;
    // a value that is no number leaves the one assumed.
    int left = 0, top = 0;
    int width = TLXPlaceholder::DefaultWidth, height = TLXPlaceholder::DefaultHeight;
    std::string name;
    const IXmlNodeList properties = node->ChildElementsNamed("property");
    for (int i = 0; i < properties->Count(); ++i) {
        const IXmlNode p = properties->Item(i);
        const std::string path = p->ReadAttr("name");
        const std::string_view key = StoredName(path);
        const std::string text = p->ReadAttr("value");
        if (StrUtils::SameText(key, "Name")) {
            name = text;
            continue;
        }
        int64_t value;
        if (!StrUtils::ParseInt64(text, value))
            continue;
        const int clamped =
            static_cast<int>(std::clamp<int64_t>(value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        if (StrUtils::SameText(key, "Left"))
            left = clamped;
        else if (StrUtils::SameText(key, "Top"))
            top = clamped;
        else if (StrUtils::SameText(key, "Width"))
            width = std::max(0, clamped);
        else if (StrUtils::SameText(key, "Height"))
            height = std::max(0, clamped);
    }
    c->setGeometry(left, top, width, height);
    AsDesigned(c)->SetName(CodePage::ToQString(name));
    TKeptContent::Attach(c, std::move(kept));
    Note("kind", kind);
}

void TXmlPersistance::Keep(TKeptContent &keeping, const IXmlNodeList &nodes, int index,
                           int previousProperty)
{
    const IXmlNode node = nodes->Item(index);
    TKeptContent::TEntry entry;
    if (previousProperty >= 0)
        entry.After = nodes->Item(previousProperty)->ReadAttr("name");
    entry.Node = node->CloneNode(true);
    keeping.Entries.push_back(std::move(entry));
    if (node->NodeType() != TXmlNode::ELEMENT_NODE)
        return;
    if (node->NodeName() == "property")
        Note("property", node->ReadAttr("name"));
    else
        Note("element", node->NodeName());
}

void TXmlPersistance::Note(const char *what, const std::string &name)
{
    const auto [it, added] = FNoteIndex.try_emplace(std::string(what) + '\n' + name, FNotes.size());
    if (added)
        FNotes.push_back({what, name, 0});
    ++FNotes[it->second].Count;
}

std::vector<std::string> TXmlPersistance::KeptNotes() const
{
    std::vector<std::string> lines;
    for (const TNote &note : FNotes) {
        std::string line = note.What + " \"" + note.Name + "\"";
        if (note.What == "kind")
            line +=
                " (" + std::to_string(note.Count) + (note.Count == 1 ? " control)" : " controls)");
        else if (note.Count > 1)
            line += " (" + std::to_string(note.Count) + ")";
        lines.push_back(std::move(line));
    }
    return lines;
}

bool TXmlPersistance::Direct() const
{
    return FDirect && FDirect->Active();
}

TRSItemProperty *TXmlPersistance::Row(std::string_view path) const
{
    TRSCustomObjectInspector *inspector = Inspector->Inspector();
    return static_cast<TRSItemProperty *>(
        inspector->FindStoredPath(inspector->Items(), std::string(path)));
}

bool TXmlPersistance::HasRow(std::string_view path)
{
    return Direct() ? FDirect->HasRow(path) : Row(path) != nullptr;
}

bool TXmlPersistance::WriteText(std::string_view path, const std::string &text)
{
    if (Direct())
        return FDirect->Write(path, text);
    TRSItemProperty *row = Row(path);
    if (!row)
        return false;
    if (row->GetReadOnly())
        return true;
    SetValueText(row, text);
    row->Apply();
    return true;
}

TPersistent *TXmlPersistance::ObjectAt(std::string_view path)
{
    return Direct() ? FDirect->ObjectAt(path) : Row(path)->GetObjectValue(-1);
}

void TXmlPersistance::SetObjectAt(std::string_view path, TPersistent *value)
{
    if (Direct())
        FDirect->SetObjectAt(path, value);
    else
        Row(path)->SetObjectValue(value, -1);
}

void TXmlPersistance::ReadProperties(const IXmlNode &element, TKeptContent *keeping)
{
    const IXmlNodeList nodes = element->ChildNodes();
    // The element and attribute names are looked up once per control in the
    // name table that a document's nodes share, not once per property.
    TXmlNameTable *names = element->NameTablePtr();
    const int propertyId = names->NameToId("property");
    const int nameId = names->NameToId("name");
    const int valueId = names->NameToId("value");
    const int typeId = names->NameToId("type");
    int previousProperty = -1;
    for (int i = 0; i < nodes->Count(); ++i) {
        const IXmlNode child = nodes->Item(i);
        const bool shared = child->NameTablePtr() == names;
        if (shared ? child->NameId() != propertyId : child->NodeName() != "property") {
            if (!keeping)
                continue;
            // Child controls and a grid's cells are read elsewhere; other
            // elements and comments are kept as they are.
            const int type = child->NodeType();
            const std::string &name = child->NodeName();
            const bool understood = type == TXmlNode::ELEMENT_NODE &&
                                    (name == "control" || (name == "cells" && FReadsCells));
            if (!understood && (type == TXmlNode::ELEMENT_NODE || type == TXmlNode::COMMENT_NODE))
                Keep(*keeping, nodes, i, previousProperty);
            continue;
        }
        const std::string type = shared ? child->ReadAttr(typeId) : child->ReadAttr("type");
        if (!type.empty() && ReadSpecialProperty(child, type)) {
            ReadProperties(child);
            previousProperty = i;
            continue;
        }
        bool read;
        if (shared) {
            std::string spare;
            read = WriteText(AttrText(*child, nameId, spare), child->ReadAttr(valueId));
        } else {
            read = WriteText(child->ReadAttr("name"), child->ReadAttr("value"));
        }
        if (read)
            previousProperty = i;
        else if (keeping)
            Keep(*keeping, nodes, i, previousProperty);
    }
}

bool TXmlPersistance::ReadSpecialProperty(const IXmlNode &node, const std::string &type)
{
    if (type == "strings") {
        const std::string path = node->ReadAttr("name", "");
        if (!HasRow(path))
            return false;
        TStrings lines;
        const IXmlNodeList children = node->ChildNodes();
        std::vector<std::string> values;
        for (int i = 0; i < children->Count(); ++i) {
            const IXmlNode line = children->Item(i);
            if (line->NodeType() == TXmlNode::ELEMENT_NODE && line->NodeName() == "line")
                values.push_back(line->ReadAttr("value", ""));
        }
        lines.SetStrings(values);
        SetObjectAt(path, &lines);
        return true;
    }
    if (type == "picture") {
        if (!HasRow("Picture"))
            return false;
        auto *picture = dynamic_cast<TPicture *>(ObjectAt("Picture"));
        if (!picture)
            return false;
        const IXmlElement b = node->FirstChildNamed("bitmap");
        if (!b)
            return true;
        const std::string format = b->ReadAttr("format", "");
        picture->Clear();
        const char *cls = format == "JPG"   ? "TJPEGImage"
                          : format == "ICO" ? "TIcon"
                          : format == "WMF" ? "TMetafile"
                                            : "TBitmap";
        std::unique_ptr<TGraphic> graphic = TPicture::CreateGraphic(QString::fromLatin1(cls));
        const std::string bytes = DecodeBase64(b->Text());
        graphic->LoadFromBytes(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        picture->SetGraphic(std::move(graphic));
        return true;
    }
    return false;
}

void TXmlPersistance::ReadGridCells(QWidget *control, const IXmlNode &node)
{
    auto *grid = dynamic_cast<TLXStringGrid *>(control);
    if (!grid)
        return;
    const IXmlElement cells = node->FirstChildNamed("cells");
    if (!cells)
        return;
    const IXmlNodeList list = cells->ChildElementsNamed("cell");
    for (int i = 0; i < list->Count(); ++i) {
        const IXmlNode cell = list->Item(i);
        int col, row;
        try {
            col = CellIndex(cell->ReadAttr("col", ""));
            row = CellIndex(cell->ReadAttr("row", ""));
        } catch (const Exception &error) {
            // Reported, and the next cell is read.
            ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
            continue;
        }
        if (col < 0 || row < 0 || col >= grid->ColCount() || row >= grid->RowCount())
            throw Exception("Grid index out of range");
        grid->SetCell(col, row, CodePage::ToQString(cell->Text()));
    }
}
