#include "persistence/XmlPersistance.h"

#include "controls/ControlsFactory.h"
#include "controls/Graphic.h"
#include "controls/LXDesigned.h"
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

void TXmlPersistance::Save(const std::string &fileName)
{
    const IXmlElement root = CreateDocument();
    WriteChildren(root, Container);
    Document->SaveToFile(fileName);
}

std::string TXmlPersistance::SaveToText()
{
    const IXmlElement root = CreateDocument();
    WriteChildren(root, Container);
    return Document->Xml();
}

void TXmlPersistance::WriteChildren(const IXmlElement &element, QWidget *parent)
{
    if (!element)
        return;
    const QList<QWidget *> children = TControlsFactory::DesignedChildren(parent);
    if (children.isEmpty())
        return;
    for (QWidget *child : children) {
        BindInspector(child);
        const IXmlElement e = WriteControl(Inspector, element);
        if (e)
            WriteChildren(e, child);
    }
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
    return e;
}

void TXmlPersistance::WriteProperties(TRSItemProps *rows, const IXmlElement &element)
{
    for (int i = 0; i < rows->Count(); ++i) {
        auto *row = static_cast<TRSItemProperty *>(rows->Item(i));
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
    Document = OpenXmlDocument(fileName);
    const IXmlElement root = Document->DocumentElement();
    // A file that is not a layout (empty, no root element, another
    // document's root) is refused before the design is touched.
    const std::string notALayout = "\"" + fileName + "\" is not a form layout.";
    if (!root)
        throw Exception(notALayout);
    const IXmlElement r = ControlsRoot(root, Container);
    if (r && !IsLayoutRoot(root))
        throw Exception(notALayout);
    // The file's controls are made on a new client of the surface; the
    // current design gives way to them only once the whole file has been
    // read, so a file that fails half-way loses no work.
    FDirectlyWritten = 0;
    Surface->BeginReplace();
    try {
        if (r)
            ReadChildren(r, Container);
    } catch (...) {
        BindInspector(nullptr);
        Surface->CancelReplace();
        throw;
    }
    BindInspector(nullptr);
    Surface->CommitReplace();
}

void TXmlPersistance::ReadChildren(const IXmlNode &element, QWidget *parent)
{
    const IXmlNodeList nodes = element->ChildNodes();
    const int count = nodes->Count();
    for (int i = 0; i < count; ++i) {
        const IXmlNode node = nodes->Item(i);
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
    if (c) {
        if (FDirectWrites && !FDirect)
            FDirect = std::make_unique<TRSDirectWriter>(*Inspector->Inspector());
        if (FDirect && FDirect->Begin(AsDesigned(c))) {
            ++FDirectlyWritten;
            const TLXDesigned::TUpdate update(AsDesigned(c));
            try {
                ReadProperties(node);
            } catch (...) {
                FDirect->End();
                throw;
            }
            FDirect->Finish();
        } else {
            BindInspector(c);
            const TLXDesigned::TUpdate update(AsDesigned(c));
            ReadProperties(node);
        }
    }
    ReadGridCells(c, node);
    return c;
}

bool TXmlPersistance::Direct() const
{
    return FDirect && FDirect->Active();
}

TRSItemProperty *TXmlPersistance::Row(std::string_view path) const
{
    return static_cast<TRSItemProperty *>(
        Inspector->Inspector()->Items()->FindPath(std::string(path)));
}

bool TXmlPersistance::HasRow(std::string_view path)
{
    return Direct() ? FDirect->HasRow(path) : Row(path) != nullptr;
}

void TXmlPersistance::WriteText(std::string_view path, const std::string &text)
{
    if (Direct()) {
        FDirect->Write(path, text);
        return;
    }
    TRSItemProperty *row = Row(path);
    if (!row || row->GetReadOnly())
        return;
    SetValueText(row, text);
    row->Apply();
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

void TXmlPersistance::ReadProperties(const IXmlNode &element)
{
    const IXmlNodeList nodes = element->ChildNodes();
    // The element and attribute names are looked up once per control in the
    // name table that a document's nodes share, not once per property.
    TXmlNameTable *names = element->NameTablePtr();
    const int propertyId = names->NameToId("property");
    const int nameId = names->NameToId("name");
    const int valueId = names->NameToId("value");
    const int typeId = names->NameToId("type");
    for (int i = 0; i < nodes->Count(); ++i) {
        const IXmlNode child = nodes->Item(i);
        const bool shared = child->NameTablePtr() == names;
        if (shared ? child->NameId() != propertyId : child->NodeName() != "property")
            continue;
        const std::string type = shared ? child->ReadAttr(typeId) : child->ReadAttr("type");
        if (!type.empty() && ReadSpecialProperty(child, type)) {
            ReadProperties(child);
            continue;
        }
        if (shared) {
            std::string spare;
            WriteText(AttrText(*child, nameId, spare), child->ReadAttr(valueId));
        } else {
            WriteText(child->ReadAttr("name"), child->ReadAttr("value"));
        }
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
