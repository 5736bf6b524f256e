#include "designer/LayoutSnapshot.h"

#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "controls/Picture.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSObjectInspector.h"
#include "xml/XmlDocument.h"
#include "xml/XmlElement.h"
#include "xml/XmlNodeList.h"

#include <QWidget>
#include <map>

namespace
{

std::vector<IXmlElement> ChildElements(const IXmlNode &node, std::string_view name)
{
    std::vector<IXmlElement> result;
    const IXmlNodeList nodes = node->ChildNodes();
    for (int i = 0; i < nodes->Count(); ++i) {
        const IXmlNode child = nodes->Item(i);
        if (child->NodeType() == TXmlNode::ELEMENT_NODE && child->NodeName() == name)
            result.push_back(child->AsElement());
    }
    return result;
}

TPropertyValue ValueOf(const IXmlElement &p)
{
    TPropertyValue value;
    value.Name = p->ReadAttr("name", "");
    const std::string type = p->ReadAttr("type", "");
    if (type == "strings") {
        value.Kind = TPropertyValue::Strings;
        for (const IXmlElement &line : ChildElements(p, "line"))
            value.Lines.push_back(line->ReadAttr("value", ""));
    } else if (type == "picture") {
        value.Kind = TPropertyValue::Picture;
        if (const IXmlElement b = p->FirstChildNamed("bitmap")) {
            value.Format = b->ReadAttr("format", "");
            value.Value = b->Text();
        }
    } else {
        value.Value = p->ReadAttr("value", "");
    }
    return value;
}

void WriteValue(const IXmlElement &control, const TPropertyValue &value)
{
    const IXmlElement p = control->AppendElement("property");
    p->WriteAttr("name", value.Name);
    switch (value.Kind) {
    case TPropertyValue::Plain:
        p->WriteAttr("value", value.Value);
        break;
    case TPropertyValue::Strings:
        p->WriteAttr("type", "strings");
        for (const std::string &line : value.Lines)
            p->AppendElement("line")->WriteAttr("value", line);
        break;
    case TPropertyValue::Picture: {
        p->WriteAttr("type", "picture");
        const IXmlElement b = p->AppendElement("bitmap");
        b->WriteAttr("format", value.Format);
        b->SetText(value.Value);
        break;
    }
    }
}

} // namespace

size_t TStateDelta::Bytes() const
{
    size_t total = sizeof(*this);
    for (const auto *side : {&Before, &After})
        for (const TPropertyValue &v : *side) {
            total += sizeof(v) + v.Name.capacity() + v.Value.capacity() + v.Format.capacity();
            for (const std::string &line : v.Lines)
                total += sizeof(line) + line.capacity();
        }
    for (const auto *side : {&CellsBefore, &CellsAfter})
        for (const TCellValue &c : *side)
            total += sizeof(c) + c.Text.capacity();
    return total;
}

TLayoutSnapshot::TLayoutSnapshot(TLXControlsContainer *container, TRSObjectInspector *inspector)
    : TXmlPersistance(container, inspector)
{
}

TControlState TLayoutSnapshot::Capture(QWidget *control)
{
    BindInspector(control);
    const IXmlDocument document = NewXmlDocument("root", "1.0");
    const IXmlElement e = document->DocumentElement();
    WriteProperties(Inspector->Inspector()->Items(), e);
    WriteGridCells(control, e);
    BindInspector(nullptr);
    TControlState state;
    for (const IXmlElement &p : ChildElements(e, "property"))
        state.Properties.push_back(ValueOf(p));
    if (const IXmlElement cells = e->FirstChildNamed("cells"))
        for (const IXmlElement &cell : ChildElements(cells, "cell"))
            state.Cells.push_back({std::stoi(cell->ReadAttr("col", "0")),
                                   std::stoi(cell->ReadAttr("row", "0")), cell->Text()});
    return state;
}

void TLayoutSnapshot::Restore(QWidget *control, const std::vector<TPropertyValue> &values,
                              const std::vector<TCellValue> &cells)
{
    const IXmlDocument document = NewXmlDocument("root", "1.0");
    const IXmlElement e = document->DocumentElement();
    for (const TPropertyValue &value : values)
        WriteValue(e, value);
    if (!cells.empty()) {
        const IXmlElement c = e->AppendElement("cells");
        for (const TCellValue &cell : cells) {
            const IXmlElement x = c->AppendElement("cell");
            x->WriteAttr("col", std::to_string(cell.Col));
            x->WriteAttr("row", std::to_string(cell.Row));
            x->SetText(cell.Text);
        }
    }
    BindInspector(control);
    try {
        // A picture row written as plain text held no graphic: reading it
        // back clears the picture, which the layout reader leaves alone.
        for (const TPropertyValue &value : values) {
            if (value.Kind != TPropertyValue::Plain)
                continue;
            auto *row = static_cast<TRSItemProperty *>(
                Inspector->Inspector()->Items()->FindPath(value.Name));
            if (row && row->TypeKind() == tkClass && row->TypeName() == "TPicture")
                if (auto *picture = dynamic_cast<TPicture *>(row->GetObjectValue(-1)))
                    picture->Clear();
        }
        {
            const TLXDesigned::TUpdate update(AsDesigned(control));
            ReadProperties(e);
        }
        ReadGridCells(control, e);
    } catch (...) {
        BindInspector(nullptr);
        throw;
    }
    BindInspector(nullptr);
}

TStateDelta TLayoutSnapshot::Difference(const TControlState &before, const TControlState &after)
{
    TStateDelta delta;
    std::map<std::string, const TPropertyValue *> old;
    for (const TPropertyValue &v : before.Properties)
        old[v.Name] = &v;
    for (const TPropertyValue &v : after.Properties) {
        const auto it = old.find(v.Name);
        if (it != old.end() && *it->second == v)
            continue;
        delta.After.push_back(v);
        if (it != old.end())
            delta.Before.push_back(*it->second);
    }
    if (before.Cells != after.Cells) {
        delta.CellsBefore = before.Cells;
        delta.CellsAfter = after.Cells;
    }
    return delta;
}

std::string TLayoutSnapshot::WriteFragment(const std::vector<QWidget *> &controls)
{
    const IXmlElement root = CreateDocument();
    for (QWidget *control : controls)
        WriteOne(control, root);
    BindInspector(nullptr);
    return Document->Xml();
}

bool TLayoutSnapshot::IsFragment(const std::string &text)
{
    try {
        const IXmlDocument document = NewXmlDocument();
        document->LoadFromText(text);
        const IXmlElement root = document->DocumentElement();
        return root && !ChildElements(root, "control").empty();
    } catch (const std::exception &) {
        return false;
    }
}

QList<QWidget *> TLayoutSnapshot::ReadFragment(const std::string &text, QWidget *parent)
{
    Document = NewXmlDocument();
    Document->LoadFromText(text);
    QList<QWidget *> created;
    const IXmlElement root = Document->DocumentElement();
    if (!root)
        return created;
    const QList<QWidget *> before = TControlsFactory::DesignedChildren(parent);
    try {
        ReadChildren(root, parent);
    } catch (...) {
        BindInspector(nullptr);
        for (QWidget *c : TControlsFactory::DesignedChildren(parent))
            if (!before.contains(c))
                delete c;
        throw;
    }
    BindInspector(nullptr);
    for (QWidget *c : TControlsFactory::DesignedChildren(parent))
        if (!before.contains(c))
            created.append(c);
    return created;
}
