#include "persistence/HtmlPersistance.h"

#include "controls/Colors.h"
#include "controls/Font.h"
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
#include "controls/LXRadioButton.h"
#include "controls/LXStringGrid.h"
#include "controls/Picture.h"
#include "controls/Strings.h"
#include "inspector/RSObjectInspector.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"
#include "reflection/TypInfo.h"
#include "xml/XmlDocument.h"
#include "xml/XmlElement.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cctype>
#include <cstdio>
#include <set>
#include <string_view>

namespace
{

std::vector<std::string> ListOf(TLXDesigned *control, const char *property)
{
    auto *lines = dynamic_cast<TStrings *>(TypInfo::GetObjectProp(control, property));
    return lines ? lines->Strings() : std::vector<std::string>();
}

// One "option" per line; an empty list still shows one blank option.
void WriteOptions(const IXmlElement &select, const std::vector<std::string> &items)
{
    if (items.empty())
        select->AppendElement("option")->SetText(" ");
    for (const std::string &item : items)
        select->AppendElement("option")->SetText(item);
}

// The span of a check box or radio button, carrying the style, with its input.
IXmlElement WriteTwoStateButton(const IXmlElement &parent, TLXDesigned *control, const char *type,
                                const std::string &style)
{
    const IXmlElement span = parent->AppendElement("span");
    span->WriteAttr("style", style);
    const IXmlElement input = span->AppendElement("input");
    input->WriteAttr("type", type);
    if (TypInfo::GetOrdProp(control, "Checked"))
        input->WriteAttr("checked", "true");
    input->SetText(TypInfo::GetStrProp(control, "Caption"));
    return span;
}

void WriteGrid(const IXmlElement &table, TLXStringGrid *grid)
{
    table->WriteAttr("border", "1");
    table->WriteAttr("cellspacing", "1");
    table->WriteAttr("cellpadding", "1");
    for (int r = 0; r < grid->RowCount(); ++r) {
        const IXmlElement tr = table->AppendElement("tr");
        for (int c = 0; c < grid->ColCount(); ++c) {
            const bool fixed = c < grid->FixedCols() || r < grid->FixedRows();
            tr->AppendElement(fixed ? "th" : "td")
                ->SetText(CodePage::FromQString(grid->Cell(c, r)));
        }
    }
}

} // namespace

IXmlElement THtmlPersistance::ControlsRoot(const IXmlElement &, QWidget *)
{
    return {};
}

QWidget *THtmlPersistance::ReadControl(const IXmlNode &, QWidget *)
{
    return nullptr;
}

void THtmlPersistance::Save(const std::string &fileName)
{
    HtmlFileName = fileName;
    const IXmlElement root = CreateDocument();
    WriteChildren(root, Container);
    // The whole page is composed before the file is replaced.
    const std::string page = WithEndTags(Document->Xml());
    AtomicFile::Write(QString::fromStdString(fileName), page);
}

std::string THtmlPersistance::WithEndTags(const std::string &page)
{
    static const std::set<std::string, std::less<>> voidElements = {
        "area",  "base", "br",   "col",   "embed",  "hr",    "img",
        "input", "link", "meta", "param", "source", "track", "wbr"};
    std::string out;
    out.reserve(page.size() + page.size() / 16);
    size_t done = 0;
    // Texts and attribute values are escaped, so "/>" only ends a tag and
    // the last "<" before it starts that tag.
    for (size_t end = page.find("/>"); end != std::string::npos; end = page.find("/>", end + 2)) {
        const size_t start = page.rfind('<', end);
        if (start == std::string::npos)
            continue;
        const size_t nameEnd = page.find_first_of(" \t\r\n/", start + 1);
        const std::string_view name(page.data() + start + 1, nameEnd - start - 1);
        std::string lower(name);
        for (char &c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (voidElements.count(lower))
            continue;
        out.append(page, done, end - done);
        out += "></";
        out += name;
        out += '>';
        done = end + 2;
    }
    out.append(page, done, std::string::npos);
    return out;
}

IXmlElement THtmlPersistance::CreateDocument()
{
    Document = NewXmlDocument("HTML", "1.0");
    const IXmlElement body = Document->DocumentElement()->AppendElement("BODY");
    body->SetText("HTML Preview");
    return body;
}

IXmlElement THtmlPersistance::WriteControl(TRSObjectInspector *inspector, const IXmlElement &parent)
{
    auto *control = dynamic_cast<TLXDesigned *>(inspector->Component());
    if (!control)
        return {};
    QWidget *widget = control->Widget();
    const std::string style = ControlStyle(widget);
    bool styleLast = true;
    IXmlElement e;
    if (dynamic_cast<TLXButton *>(widget)) {
        e = parent->AppendElement("input");
        e->WriteAttr("type", "button");
        e->WriteAttr("value", TypInfo::GetStrProp(control, "Caption"));
    } else if (dynamic_cast<TLXLabel *>(widget)) {
        e = parent->AppendElement("label");
        e->SetText(TypInfo::GetStrProp(control, "Caption"));
    } else if (dynamic_cast<TLXEditBox *>(widget)) {
        e = parent->AppendElement("input");
        e->WriteAttr("type", "text");
        e->WriteAttr("value", TypInfo::GetStrProp(control, "Text"));
    } else if (dynamic_cast<TLXListBox *>(widget)) {
        e = parent->AppendElement("select");
        e->WriteAttr("multiple ", "multiple");
        WriteOptions(e, ListOf(control, "Items"));
    } else if (dynamic_cast<TLXComboBox *>(widget)) {
        e = parent->AppendElement("select");
        WriteOptions(e, ListOf(control, "Items"));
    } else if (dynamic_cast<TLXRadioButton *>(widget)) {
        e = WriteTwoStateButton(parent, control, "radio", style);
        styleLast = false;
    } else if (dynamic_cast<TLXCheckBox *>(widget)) {
        e = WriteTwoStateButton(parent, control, "checkbox", style);
        styleLast = false;
    } else if (dynamic_cast<TLXMemo *>(widget)) {
        std::string text;
        const std::vector<std::string> lines = ListOf(control, "Lines");
        for (size_t i = 0; i < lines.size(); ++i)
            text += (i ? "\r\n" : "") + lines[i];
        e = parent->AppendElement("textarea");
        e->SetText(text);
    } else if (dynamic_cast<TLXPanel *>(widget) || dynamic_cast<TLXGroupBox *>(widget)) {
        e = parent->AppendElement("table");
        e->WriteAttr("border", "1");
        e->AppendElement("tr")->AppendElement("td")->SetText("");
    } else if (dynamic_cast<TLXImage *>(widget)) {
        std::string alt;
        for (const std::string &line : ListOf(control, "Comment"))
            alt += line + "\r\n";
        e = parent->AppendElement("img");
        e->WriteAttr("alt", alt);
        e->WriteAttr("src", PictureSource(widget));
    } else if (auto *grid = dynamic_cast<TLXStringGrid *>(widget)) {
        e = parent->AppendElement("table");
        WriteGrid(e, grid);
    }
    if (e && styleLast)
        e->WriteAttr("style", style);
    return e;
}

std::string THtmlPersistance::PictureSource(QWidget *control)
{
    TPicture &picture = static_cast<TLXImage *>(control)->Picture();
    // Absolute, cleaned paths on both sides, so that the link is relative
    // to the page's own folder however the output path was written.
    const QDir pageFolder(QFileInfo(QString::fromStdString(HtmlFileName)).absolutePath());
    const QString folder = pageFolder.path() + "/images/";
    const QString name = CodePage::ToQString(AsDesigned(control)->ComponentName()) + "." +
                         QString::fromStdString(PictureFormatName(picture));
    const QString file = UniqueImageFileName(folder, name, control);
    if (!picture.Empty())
        picture.SaveToFile(file);
    return CodePage::FromQString(pageFolder.relativeFilePath(file));
}

QString THtmlPersistance::UniqueImageFileName(const QString &folder, const QString &name,
                                              QWidget *control) const
{
    std::string n = CodePage::FromQString(name);
    for (QWidget *a = DesignedParent(control); a; a = a->parentWidget()) {
        // The inner widgets of the design container are not ancestors of
        // their own: the walk goes from the last designed parent to it.
        if (a != Container && !AsDesigned(a))
            continue;
        const std::string ancestor =
            AsDesigned(a) ? AsDesigned(a)->ComponentName() : CodePage::FromQString(a->objectName());
        if (!ancestor.empty())
            n = ancestor + "_" + n;
        if (a == Container)
            break;
    }
    if (Container)
        for (QWidget *a = Container->parentWidget(); a; a = a->parentWidget())
            // The toolkit names the inner widgets of its own containers
            // ("qt_tabwidget_stackedwidget"); they are not part of the form.
            if (!a->objectName().isEmpty() && !a->objectName().startsWith(QLatin1String("qt_")))
                n = CodePage::FromQString(a->objectName()) + "_" + n;
    QString path = folder + CodePage::ToQString(n);
    while (QFileInfo::exists(path)) {
        const QString fileName = QFileInfo(path).fileName();
        const qsizetype dot = fileName.lastIndexOf('.');
        path += "_" + (dot < 0 ? QString() : fileName.mid(dot));
    }
    return path;
}

QWidget *THtmlPersistance::DesignedParent(QWidget *control) const
{
    for (QWidget *a = control->parentWidget(); a; a = a->parentWidget())
        if (a == Container || AsDesigned(a))
            return a;
    return nullptr;
}

std::pair<int, int> THtmlPersistance::AbsolutePosition(QWidget *control) const
{
    TLXDesigned *designed = AsDesigned(control);
    const int left = static_cast<int>(TypInfo::GetOrdProp(designed, "Left"));
    const int top = static_cast<int>(TypInfo::GetOrdProp(designed, "Top"));
    // Page coordinates for every control inside a panel or group box:
    // browsers move what follows a table's rows out of the table, so a
    // position relative to the panel would land relative to the page.
    QWidget *parent = DesignedParent(control);
    if (parent && AsDesigned(parent)) {
        const auto [x, y] = AbsolutePosition(parent);
        return {x + left, y + top};
    }
    return {left, top};
}

std::string THtmlPersistance::ControlStyle(QWidget *control) const
{
    TLXDesigned *designed = AsDesigned(control);
    const auto [x, y] = AbsolutePosition(control);
    std::string s = "POSITION: absolute; LEFT: " + std::to_string(x) +
                    "px; TOP: " + std::to_string(y) +
                    "px; WIDTH: " + std::to_string(TypInfo::GetOrdProp(designed, "Width")) +
                    "px; HEIGHT:" + std::to_string(TypInfo::GetOrdProp(designed, "Height")) + "px";
    const bool colorAndFont =
        dynamic_cast<TLXLabel *>(control) || dynamic_cast<TLXEditBox *>(control) ||
        dynamic_cast<TLXComboBox *>(control) || dynamic_cast<TLXListBox *>(control) ||
        dynamic_cast<TLXStringGrid *>(control) || dynamic_cast<TLXGroupBox *>(control) ||
        dynamic_cast<TLXPanel *>(control) || dynamic_cast<TLXMemo *>(control) ||
        dynamic_cast<TLXCheckBox *>(control) || dynamic_cast<TLXRadioButton *>(control);
    const bool fontOnly = dynamic_cast<TLXButton *>(control) != nullptr;
    if (colorAndFont && !TypInfo::GetOrdProp(designed, "ParentColor"))
        s += "; background-color: " +
             ColorToHtml(static_cast<int32_t>(TypInfo::GetOrdProp(designed, "Color")));
    if ((colorAndFont || fontOnly) && !TypInfo::GetOrdProp(designed, "ParentFont"))
        if (auto *font = dynamic_cast<TFont *>(TypInfo::GetObjectProp(designed, "Font")))
            s += FontToCss(*font);
    return s;
}

std::string THtmlPersistance::ColorToHtml(int32_t color)
{
    const QColor c = ColorToQColor(color);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.red(), c.green(), c.blue());
    return text;
}

std::string THtmlPersistance::FontToCss(const TFont &font)
{
    std::string s = ";font-family:" + font.Name() + ";font-size:" + std::to_string(-font.Height()) +
                    ";color:" + ColorToHtml(font.Color());
    const TFontStyles style = font.Style();
    if (style & (1u << fsBold))
        s += ";font-weight:bold";
    if (style & (1u << fsItalic))
        s += ";font-style:italic";
    if (style & (1u << fsUnderline))
        s += ";text-decoration: underline";
    if (style & (1u << fsStrikeOut))
        s += ";text-decoration: line-through;";
    return s;
}
