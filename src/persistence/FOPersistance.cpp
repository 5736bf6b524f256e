#include "persistence/FOPersistance.h"

#include "controls/ControlsFactory.h"
#include "controls/LXButton.h"
#include "controls/LXCheckBox.h"
#include "controls/LXComboBox.h"
#include "controls/LXDesigned.h"
#include "controls/LXEditBox.h"
#include "controls/LXGroupBox.h"
#include "controls/LXImage.h"
#include "controls/LXLabel.h"
#include "controls/LXListBox.h"
#include "controls/LXMemo.h"
#include "controls/LXPanel.h"
#include "controls/LXPlaceholder.h"
#include "controls/LXRadioButton.h"
#include "controls/Strings.h"
#include "inspector/RSObjectInspector.h"
#include "platform/Exception.h"
#include "reflection/TypInfo.h"
#include "xml/XmlDocument.h"
#include "xml/XmlElement.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{

const char XslFoNamespace[] = "http://www.w3.org/1999/XSL/Format";

std::vector<std::string> ListOf(TLXDesigned *control, const char *property)
{
    auto *lines = dynamic_cast<TStrings *>(TypInfo::GetObjectProp(control, property));
    return lines ? lines->Strings() : std::vector<std::string>();
}

std::string Pixels(int64_t value)
{
    return std::to_string(value) + "px";
}

IXmlElement AppendBlock(const IXmlElement &parent, bool bordered, const std::string &text)
{
    const IXmlElement block = parent->AppendElement("fo:block");
    block->WriteAttr("text-align", "center");
    if (bordered)
        block->WriteAttr("border-width", "1pt");
    block->SetText(text);
    return block;
}

// The box glyph of a check box or radio button, then the caption. The glyph
// is a character reference that the formatter resolves, so it is written
// as it stands.
void AppendTwoStateButton(const IXmlElement &container, TLXDesigned *control, const char *checked,
                          const char *unchecked)
{
    const IXmlElement box = container->AppendElement("fo:block");
    box->WriteAttr("text-align", "center");
    const IXmlElement glyph = box->AppendElement("fo:inline");
    glyph->WriteAttr("font-family", "ZapfDingbats");
    glyph->AppendRawText(TypInfo::GetOrdProp(control, "Checked") ? checked : unchecked);
    AppendBlock(container, false, TypInfo::GetStrProp(control, "Caption"));
}

// The nearest designed control holding the control, or none at the top level.
QWidget *DesignedParent(QWidget *control, QWidget *container)
{
    for (QWidget *a = control->parentWidget(); a && a != container; a = a->parentWidget())
        if (AsDesigned(a))
            return a;
    return nullptr;
}

} // namespace

IXmlElement TFOPersistance::ControlsRoot(const IXmlElement &, QWidget *)
{
    throw Exception("Loading not implemented.");
}

QWidget *TFOPersistance::ReadControl(const IXmlNode &, QWidget *)
{
    throw Exception("Loading not implemented.");
}

IXmlElement TFOPersistance::CreateDocument()
{
    Document = NewXmlDocument("fo:root", "1.0");
    const IXmlElement root = Document->DocumentElement();
    root->WriteAttr("xmlns:fo", XslFoNamespace);
    const IXmlElement master =
        root->AppendElement("fo:layout-master-set")->AppendElement("fo:simple-page-master");
    master->WriteAttr("master-name", "all-pages");
    master->WriteAttr("page-width", "8.5in");
    master->WriteAttr("page-height", "11in");
    master->WriteAttr("margin-top", "20pt");
    master->WriteAttr("margin-bottom", "20pt");
    master->WriteAttr("margin-left", "50pt");
    master->WriteAttr("margin-right", "50pt");
    const IXmlElement region = master->AppendElement("fo:region-body");
    region->WriteAttr("region-name", "xsl-region-body");
    region->WriteAttr("margin-bottom", "20pt");
    region->WriteAttr("margin-top", "10pt");
    region->WriteAttr("border", "2.25pt solid gray");
    region->WriteAttr("padding", "16pt");
    const IXmlElement sequence = root->AppendElement("fo:page-sequence");
    sequence->WriteAttr("master-reference", "all-pages");
    const IXmlElement flow = sequence->AppendElement("fo:flow");
    flow->WriteAttr("flow-name", "xsl-region-body");
    // A formatter requires at least one block in the flow, also when the
    // layout has no controls it shows.
    const QList<QWidget *> controls = TControlsFactory::DesignedChildren(Container);
    if (std::all_of(controls.begin(), controls.end(),
                    [](QWidget *c) { return dynamic_cast<TLXPlaceholder *>(c) != nullptr; }))
        flow->AppendElement("fo:block");
    return flow;
}

IXmlElement TFOPersistance::WriteControl(TRSObjectInspector *inspector, const IXmlElement &parent)
{
    auto *control = dynamic_cast<TLXDesigned *>(inspector->Component());
    if (!control)
        return {};
    QWidget *widget = control->Widget();
    int64_t left = TypInfo::GetOrdProp(control, "Left");
    int64_t top = TypInfo::GetOrdProp(control, "Top");
    QWidget *holder = DesignedParent(widget, Container);
    if (dynamic_cast<TLXGroupBox *>(holder) || dynamic_cast<TLXPanel *>(holder)) {
        left += TypInfo::GetOrdProp(AsDesigned(holder), "Left");
        top += TypInfo::GetOrdProp(AsDesigned(holder), "Top");
    }
    const IXmlElement bc = parent->AppendElement("fo:block-container");
    bc->WriteAttr("absolute-position", "fixed");
    bc->WriteAttr("left", Pixels(left));
    bc->WriteAttr("top", Pixels(top));
    bc->WriteAttr("width", Pixels(TypInfo::GetOrdProp(control, "Width")));
    bc->WriteAttr("height", Pixels(TypInfo::GetOrdProp(control, "Height")));

    if (dynamic_cast<TLXButton *>(widget)) {
        AppendBlock(bc, true, TypInfo::GetStrProp(control, "Caption"));
    } else if (dynamic_cast<TLXLabel *>(widget)) {
        AppendBlock(bc, false, TypInfo::GetStrProp(control, "Caption"));
    } else if (dynamic_cast<TLXEditBox *>(widget)) {
        AppendBlock(bc, true, TypInfo::GetStrProp(control, "Text"));
    } else if (dynamic_cast<TLXListBox *>(widget)) {
        // Each item's block is nested in the previous item's.
        IXmlElement block = bc->AppendElement("fo:block");
        for (const std::string &item : ListOf(control, "Items"))
            block = AppendBlock(block, false, item);
    } else if (dynamic_cast<TLXComboBox *>(widget)) {
        AppendBlock(bc, false, TypInfo::GetStrProp(control, "Text"));
    } else if (dynamic_cast<TLXRadioButton *>(widget)) {
        AppendTwoStateButton(bc, control, "&#x25CF;", "&#x274D;");
    } else if (dynamic_cast<TLXCheckBox *>(widget)) {
        AppendTwoStateButton(bc, control, "&#x25A0;", "&#x274F;");
    } else if (dynamic_cast<TLXImage *>(widget)) {
        AppendBlock(bc, true, control->ComponentName());
    } else if (dynamic_cast<TLXMemo *>(widget)) {
        std::string text;
        const std::vector<std::string> lines = ListOf(control, "Lines");
        for (size_t i = 0; i < lines.size(); ++i)
            text += (i ? "\r\n" : "") + lines[i];
        AppendBlock(bc, false, text);
    } else if (dynamic_cast<TLXPanel *>(widget) || dynamic_cast<TLXGroupBox *>(widget)) {
        return AppendBlock(bc, true, "");
    } else {
        // A formatter requires at least one block in every block container.
        bc->AppendElement("fo:block");
    }
    return bc;
}
