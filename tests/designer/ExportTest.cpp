#include "support/DesignerSingletons.h"
#include "support/NamedControl.h"
#include "support/TestPictures.h"

#include "controls/Bitmap.h"
#include "controls/Colors.h"
#include "controls/Font.h"
#include "controls/LXDesigned.h"
#include "controls/LXImage.h"
#include "controls/LXStringGrid.h"
#include "controls/Strings.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/FOPersistance.h"
#include "persistence/HtmlPersistance.h"
#include "persistence/LayoutInspector.h"
#include "platform/Exception.h"
#include "reflection/TypInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

const std::string Declaration = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n";

class ExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        container = std::make_unique<TLXControlsContainer>(nullptr, inspector.get());
        QDir(dir.path()).mkdir("images");
    }

    void SetItems(QWidget *c, std::vector<std::string> items)
    {
        static_cast<TStrings *>(TypInfo::GetObjectProp(AsDesigned(c), "Items"))->SetStrings(items);
    }
    std::string Read(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll().toStdString();
    }
    std::string Html()
    {
        const QString path = dir.filePath("page.htm");
        THtmlPersistance(container.get(), inspector.get()).Save(path.toStdString());
        return Read(path);
    }
    std::string FO()
    {
        const QString path = dir.filePath("page.xsl");
        TFOPersistance(container.get(), inspector.get()).Save(path.toStdString());
        return Read(path);
    }
    static bool Has(const std::string &text, const std::string &part)
    {
        return text.find(part) != std::string::npos;
    }

    QTemporaryDir dir;
    const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
    std::unique_ptr<TLXControlsContainer> container;
};

TEST_F(ExportTest, HtmlPageOfOneButtonAndOfAnEmptyLayout)
{
    EXPECT_EQ(Html(), Declaration + "<HTML>\r\n\t<BODY>HTML Preview</BODY>\r\n</HTML>");

    QWidget *button = AddNamedControl("Button", container.get(), "Button1", {16, 8, 75, 25}, "OK");
    EXPECT_EQ(Html(), Declaration +
                          "<HTML>\r\n"
                          "\t<BODY>HTML Preview\r\n"
                          "\t\t<input type=\"button\" value=\"OK\" style=\"POSITION: absolute; "
                          "LEFT: 16px; TOP: 8px; WIDTH: 75px; HEIGHT:25px\"/>\r\n"
                          "\t</BODY>\r\n"
                          "</HTML>");
    EXPECT_EQ(inspector->Component(), nullptr);

    TFont *font = AsDesigned(button)->Font();
    font->SetName("Arial");
    font->SetHeight(-13);
    font->SetColor(clBlack);
    font->SetStyle(1u << fsBold);
    AsDesigned(button)->SetParentFont(false);
    EXPECT_TRUE(Has(Html(), "HEIGHT:25px;font-family:Arial;font-size:13;color:#000000;"
                            "font-weight:bold\"/>"));
}

TEST_F(ExportTest, HtmlStylesColoursAndEscaping)
{
    QWidget *label = AddNamedControl("Label", container.get(), "Label1", {1, 2, 30, 13}, "a<b & c");
    AsDesigned(label)->SetColor(clWhite);
    AsDesigned(label)->SetParentColor(false);
    AsDesigned(label)->Font()->SetStyle((1u << fsItalic) | (1u << fsUnderline) |
                                        (1u << fsStrikeOut));
    AsDesigned(label)->SetParentFont(false);
    const std::string page = Html();
    // The label sizes itself to its caption; its colour follows the size.
    EXPECT_TRUE(Has(page, "<label style=\"POSITION: absolute; LEFT: 1px; TOP: 2px; WIDTH: "));
    EXPECT_TRUE(Has(page, "px; background-color: #FFFFFF;font-family:"));
    EXPECT_TRUE(Has(page, ";font-style:italic;text-decoration: underline;text-decoration: "
                          "line-through;\">a&lt;b &amp; c</label>"));

    // Empty elements that are not void in HTML get their end tags, so a
    // browser does not take the following controls into them.
    QWidget *memo = AddNamedControl("Memo", container.get(), "Memo1", {0, 40, 100, 50});
    auto *lines = static_cast<TStrings *>(TypInfo::GetObjectProp(AsDesigned(memo), "Lines"));
    lines->SetStrings({"a", "b"});
    EXPECT_TRUE(Has(Html(), "background-color: #FFFFFF\">a\r\nb</textarea>"));
    EXPECT_TRUE(Has(FO(), "<fo:block text-align=\"center\">a\r\nb</fo:block>"));
    lines->Clear();
    TypInfo::SetStrProp(AsDesigned(label), "Caption", "");
    const std::string emptied = Html();
    EXPECT_TRUE(Has(emptied, "line-through;\"></label>\r\n"));
    EXPECT_TRUE(Has(emptied, "background-color: #FFFFFF\"></textarea>\r\n\t</BODY>"));
    EXPECT_EQ(THtmlPersistance::WithEndTags("<a><b x=\"/\"/><INPUT/><img src=\"i\"/><td/></a>"),
              "<a><b x=\"/\"></b><INPUT/><img src=\"i\"/><td></td></a>");

    EXPECT_EQ(THtmlPersistance::ColorToHtml(0x123456), "#563412");
    const QColor face = ColorToQColor(clBtnFace);
    char expected[8];
    std::snprintf(expected, sizeof expected, "#%02X%02X%02X", face.red(), face.green(),
                  face.blue());
    EXPECT_EQ(THtmlPersistance::ColorToHtml(clBtnFace), expected);
}

TEST_F(ExportTest, NestedPanelsAndGroupBoxesArePlacedByTheirParents)
{
    QWidget *outer = AddNamedControl("Panel", container.get(), "Panel1", {10, 10, 200, 200});
    QWidget *inner = AddNamedControl("Panel", outer, "Panel2", {5, 5, 100, 100});
    AddNamedControl("Button", inner, "Button1", {2, 2, 40, 20}, "B");
    const std::string page = Html();
    const size_t outerAt = page.find("LEFT: 10px; TOP: 10px; WIDTH: 200px");
    const size_t innerAt = page.find("LEFT: 15px; TOP: 15px; WIDTH: 100px");
    const size_t buttonAt = page.find("LEFT: 17px; TOP: 17px; WIDTH: 40px");
    ASSERT_NE(outerAt, std::string::npos);
    ASSERT_NE(innerAt, std::string::npos);
    ASSERT_NE(buttonAt, std::string::npos);
    EXPECT_LT(outerAt, innerAt);
    EXPECT_LT(innerAt, buttonAt);
    EXPECT_TRUE(Has(page, "\t\t<table border=\"1\" style=\"POSITION: absolute; LEFT: 10px;"));
    EXPECT_TRUE(Has(page, "\t\t\t<tr>\r\n\t\t\t\t<td></td>\r\n\t\t\t</tr>\r\n\t\t\t<table "));
    EXPECT_TRUE(Has(page, "\t\t\t\t<input type=\"button\" value=\"B\""));

    // The XSL-FO export adds only the direct parent's position.
    std::string fo = FO();
    EXPECT_TRUE(Has(fo, "left=\"15px\" top=\"15px\" width=\"100px\""));
    EXPECT_TRUE(Has(fo, "left=\"7px\" top=\"7px\" width=\"40px\""));
    EXPECT_TRUE(Has(fo, "\t\t\t\t<fo:block text-align=\"center\" border-width=\"1pt\">\r\n"
                        "\t\t\t\t\t<fo:block-container absolute-position=\"fixed\" left=\"15px\""));
    QWidget *group = AddNamedControl("GroupBox", container.get(), "Group1", {20, 30, 100, 100});
    AddNamedControl("Button", group, "Button2", {5, 6, 40, 20});
    EXPECT_TRUE(Has(FO(), "left=\"25px\" top=\"36px\" width=\"40px\""));
}

TEST_F(ExportTest, TwoStateButtonsListsAndGrids)
{
    QWidget *check = AddNamedControl("CheckBox", container.get(), "Check1", {0, 0, 80, 17}, "Yes");
    TypInfo::SetOrdProp(AsDesigned(check), "Checked", 1);
    AddNamedControl("RadioButton", container.get(), "Radio1", {0, 20, 80, 17}, "No");
    QWidget *list = AddNamedControl("ListBox", container.get(), "List1", {0, 40, 80, 50});
    QWidget *combo = AddNamedControl("ComboBox", container.get(), "Combo1", {0, 100, 80, 21});
    SetItems(combo, {"x", "y"});
    auto *grid = static_cast<TLXStringGrid *>(
        AddNamedControl("StringGrid", container.get(), "Grid1", {0, 130, 100, 60}));
    grid->SetColCount(2);
    grid->SetRowCount(2);
    grid->SetFixedCols(1);
    grid->SetFixedRows(0);
    grid->SetCell(1, 1, "v");

    std::string page = Html();
    EXPECT_TRUE(Has(page, "\t\t<span style=\"POSITION: absolute; LEFT: 0px; TOP: 0px;"));
    EXPECT_TRUE(Has(page, "\r\n\t\t\t<input type=\"checkbox\" checked=\"true\">Yes</input>\r\n"));
    EXPECT_TRUE(Has(page, "\r\n\t\t\t<input type=\"radio\">No</input>\r\n"));
    EXPECT_TRUE(Has(page, "<select multiple =\"multiple\" style=\"POSITION: absolute; LEFT: 0px; "
                          "TOP: 40px;"));
    EXPECT_TRUE(Has(page, "\r\n\t\t\t<option> </option>\r\n\t\t</select>"));
    EXPECT_TRUE(Has(page, "\t\t<select style=\"POSITION: absolute; LEFT: 0px; TOP: 100px;"));
    EXPECT_TRUE(Has(page, "<option>x</option>\r\n\t\t\t<option>y</option>"));
    EXPECT_TRUE(Has(page, "<table border=\"1\" cellspacing=\"1\" cellpadding=\"1\" style="));
    EXPECT_TRUE(Has(page, "<tr>\r\n\t\t\t\t<th></th>\r\n\t\t\t\t<td></td>\r\n\t\t\t</tr>\r\n"
                          "\t\t\t<tr>\r\n\t\t\t\t<th></th>\r\n\t\t\t\t<td>v</td>"));
    grid->SetFixedCols(0);
    grid->SetFixedRows(1);
    EXPECT_TRUE(Has(Html(), "<tr>\r\n\t\t\t\t<th></th>\r\n\t\t\t\t<th></th>\r\n\t\t\t</tr>\r\n"
                            "\t\t\t<tr>\r\n\t\t\t\t<td></td>\r\n\t\t\t\t<td>v</td>"));

    SetItems(list, {"a", "b", "c"});
    std::string fo = FO();
    EXPECT_TRUE(Has(fo, "<fo:inline font-family=\"ZapfDingbats\">&#x25A0;</fo:inline>\r\n"
                        "\t\t\t\t</fo:block>\r\n"
                        "\t\t\t\t<fo:block text-align=\"center\">Yes</fo:block>"));
    EXPECT_TRUE(Has(fo, "<fo:inline font-family=\"ZapfDingbats\">&#x274D;</fo:inline>"));
    EXPECT_TRUE(Has(fo, "\t\t\t\t<fo:block>\r\n"
                        "\t\t\t\t\t<fo:block text-align=\"center\">a\r\n"
                        "\t\t\t\t\t\t<fo:block text-align=\"center\">b\r\n"
                        "\t\t\t\t\t\t\t<fo:block text-align=\"center\">c</fo:block>\r\n"));
    EXPECT_TRUE(Has(fo, "height=\"21px\">\r\n\t\t\t\t<fo:block text-align=\"center\">Combo1"));
    EXPECT_TRUE(Has(fo, "<fo:block-container absolute-position=\"fixed\" left=\"0px\" "
                        "top=\"130px\" width=\"100px\" height=\"60px\">\r\n"
                        "\t\t\t\t<fo:block/>\r\n"
                        "\t\t\t</fo:block-container>"));
    TypInfo::SetOrdProp(AsDesigned(check), "Checked", 0);
    EXPECT_TRUE(Has(FO(), "&#x274F;</fo:inline>"));
}

TEST_F(ExportTest, ImagePicturesGetUniqueFileNames)
{
    auto *image = static_cast<TLXImage *>(
        AddNamedControl("Image", container.get(), "Image1", {0, 0, 50, 50}));
    image->SetComment({"one", "two"});
    const QByteArray bmp = BitmapFileBytes(3, 2);
    auto graphic = BitmapOf(bmp);
    image->Picture().SetGraphic(std::move(graphic));

    const std::string first = Html();
    EXPECT_TRUE(Has(first, "<img alt=\"one\r\ntwo\r\n\" src=\"images/Image1.BMP\" style="));
    EXPECT_EQ(Read(dir.filePath("images/Image1.BMP")), bmp.toStdString());
    EXPECT_TRUE(Has(Html(), "src=\"images/Image1.BMP_.BMP\""));
    EXPECT_EQ(Read(dir.filePath("images/Image1.BMP_.BMP")), bmp.toStdString());

    // A missing images folder ends the export before the page is written.
    QDir(dir.path()).rmdir("images");
    QDir(dir.path()).mkdir("other");
    THtmlPersistance html(container.get(), inspector.get());
    EXPECT_THROW(html.Save(dir.filePath("other/page.htm").toStdString()), Exception);
    EXPECT_FALSE(QFile::exists(dir.filePath("other/page.htm")));
}

TEST_F(ExportTest, PictureLinksAreRelativeToThePageHoweverThePathIsWritten)
{
    auto *image = static_cast<TLXImage *>(
        AddNamedControl("Image", container.get(), "Image1", {0, 0, 50, 50}));
    auto graphic = BitmapOf(BitmapFileBytes(2, 2));
    image->Picture().SetGraphic(std::move(graphic));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QDir().mkdir("sub");
    for (const QString &output : {QString("sub/../page"), QString("./rel"), dir.filePath("abs")}) {
        container->ExportHtml(output);
        const QString page = TLXControlsContainer::HtmlExportPath(output);
        EXPECT_TRUE(Has(Read(page), "src=\"images/Image1.BMP\"")) << output.toStdString();
        EXPECT_TRUE(QFileInfo(QFileInfo(page).dir(), "images/Image1.BMP").isFile())
            << output.toStdString();
    }
    QDir::setCurrent(previous);
}

TEST_F(ExportTest, PictureNamesSkipTheToolkitsOwnWidgets)
{
    // As in the main window: the surface sits on a page of a tab widget,
    // whose inner widgets carry the toolkit's own names.
    QWidget form;
    form.setObjectName("Form1");
    auto *pages = new QTabWidget(&form);
    auto *surface = new TLXControlsContainer(nullptr, inspector.get());
    surface->setObjectName("MainPanel");
    pages->addTab(surface, "Design");
    auto *image =
        static_cast<TLXImage *>(AddNamedControl("Image", surface, "Image1", {0, 0, 50, 50}));
    const QByteArray bmp = BitmapFileBytes(2, 2);
    auto graphic = BitmapOf(bmp);
    image->Picture().SetGraphic(std::move(graphic));

    const QString path = dir.filePath("page.htm");
    THtmlPersistance(surface, inspector.get()).Save(path.toStdString());
    EXPECT_TRUE(Has(Read(path), "src=\"images/Form1_MainPanel_Image1.BMP\""));
}

TEST_F(ExportTest, FoDocumentOfOneButtonAndOfAnEmptyLayout)
{
    const std::string head =
        Declaration +
        "<fo:root xmlns:fo=\"http://www.w3.org/1999/XSL/Format\">\r\n"
        "\t<fo:layout-master-set>\r\n"
        "\t\t<fo:simple-page-master master-name=\"all-pages\" page-width=\"8.5in\" "
        "page-height=\"11in\" margin-top=\"20pt\" margin-bottom=\"20pt\" margin-left=\"50pt\" "
        "margin-right=\"50pt\">\r\n"
        "\t\t\t<fo:region-body region-name=\"xsl-region-body\" margin-bottom=\"20pt\" "
        "margin-top=\"10pt\" border=\"2.25pt solid gray\" padding=\"16pt\"/>\r\n"
        "\t\t</fo:simple-page-master>\r\n"
        "\t</fo:layout-master-set>\r\n"
        "\t<fo:page-sequence master-reference=\"all-pages\">\r\n";
    // Even the flow of an empty layout holds a block, as a formatter requires.
    EXPECT_EQ(FO(), head + "\t\t<fo:flow flow-name=\"xsl-region-body\">\r\n"
                           "\t\t\t<fo:block/>\r\n"
                           "\t\t</fo:flow>\r\n"
                           "\t</fo:page-sequence>\r\n"
                           "</fo:root>");

    AddNamedControl("Button", container.get(), "Button1", {16, 8, 75, 25}, "OK");
    EXPECT_EQ(FO(), head + "\t\t<fo:flow flow-name=\"xsl-region-body\">\r\n"
                           "\t\t\t<fo:block-container absolute-position=\"fixed\" left=\"16px\" "
                           "top=\"8px\" width=\"75px\" height=\"25px\">\r\n"
                           "\t\t\t\t<fo:block text-align=\"center\" border-width=\"1pt\">OK"
                           "</fo:block>\r\n"
                           "\t\t\t</fo:block-container>\r\n"
                           "\t\t</fo:flow>\r\n"
                           "\t</fo:page-sequence>\r\n"
                           "</fo:root>");

    TFOPersistance fo(container.get(), inspector.get());
    try {
        fo.Load(dir.filePath("page.xsl").toStdString());
        FAIL() << "loading an XSL-FO document must fail";
    } catch (const Exception &e) {
        EXPECT_STREQ(e.what(), "Loading not implemented.");
    }
    EXPECT_EQ(container->findChildren<QWidget *>("Button1").size(), 1);
}

} // namespace
