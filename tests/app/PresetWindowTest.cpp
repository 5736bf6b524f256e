#include "support/DesignerSingletons.h"

#include "app/Main.h"
#include "controls/Font.h"
#include "controls/LXDesigned.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "inspector/RSPropertyPreset.h"
#include "inspector/RSPropertyPresets.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// The main window's inspector with its presets: colours by name in the
// grid and in the saved layout, and back again when the layout is opened.
class PresetWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->SaveAsCommand = [this] { return form->mnuSaveAsClick(); };
        form->SaveDialog = [this](QString &fileName, TForm1::TSaveType &fileType) {
            fileName = chosen;
            fileType = chosenType;
            return true;
        };
        form->OpenDialog = [this] { return chosen; };
        form->SaveQuestion = [] { return QMessageBox::No; };
    }
    TRSCustomObjectInspector &I() { return *form->ObjectInspector()->Inspector(); }
    TRSItemProperty *Row(const std::string &path)
    {
        return static_cast<TRSItemProperty *>(I().Items()->FindPath(path));
    }
    QByteArray Saved()
    {
        QFile file(chosen);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<TForm1> form;
    QTemporaryDir dir;
    QString chosen;
    TForm1::TSaveType chosenType = TForm1::SaveLayoutFile;
};

TEST_F(PresetWindowTest, EveryPresetAlsoSetsTheRowFonts)
{
    TRSPropertyPresets &presets = I().Presets();
    ASSERT_EQ(presets.Count(), 18);
    for (int i = 0; i < presets.Count(); ++i) {
        TRSPropertyPreset *p = presets.Item(i);
        EXPECT_TRUE(p->Actions() & PresetBit(pftFont)) << p->DisplayName();
        EXPECT_TRUE(p->Actions() & PresetBit(pftValueFont)) << p->DisplayName();
        EXPECT_EQ(p->ValueFont().Color(), 0x000080u) << p->DisplayName();
        const TRSColor expected = i == 0 ? 0x800000u : i == 1 ? 0x008000u : 0x000000u;
        EXPECT_EQ(p->Font().Color(), expected) << p->DisplayName();
        EXPECT_EQ(p->Font().Name(), I().ValueFont().Name());
    }
    EXPECT_TRUE(I().ValueChangedFont().Bold());
    EXPECT_EQ(I().ValueChangedFont().Color(), 0x000080u);
}

TEST_F(PresetWindowTest, ColoursAreSavedAndOpenedByName)
{
    QWidget *label = form->AddControl(0, 10, nullptr, 10);
    QCoreApplication::sendPostedEvents();
    ASSERT_NE(Row("Color"), nullptr);
    EXPECT_EQ(Row("Color")->Value(), "clBtnFace");
    EXPECT_EQ(Row("Font")->EditStyle(), esEllipsis);
    Row("Color")->SetValue("clred");
    Row("Color")->Validate();
    Row("Font.Color")->SetValue("$00FF8000");
    Row("Font.Color")->Validate();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(AsDesigned(label)->Color(), 0x0000FF);

    chosen = dir.filePath("colours.xml");
    ASSERT_TRUE(form->mnuSaveAsClick());
    const QByteArray saved = Saved();
    EXPECT_TRUE(saved.contains("<property name=\"Color\" value=\"clRed\"/>")) << saved.data();
    EXPECT_TRUE(saved.contains("<property name=\"Font.Color\" value=\"$00FF8000\"/>"));

    form->mnuClearClick();
    form->mnuOpenClick();
    ASSERT_EQ(form->Container()->Controls().size(), 1);
    TLXDesigned *opened = AsDesigned(form->Container()->Controls().front());
    EXPECT_EQ(opened->Color(), 0x0000FF);
    EXPECT_EQ(opened->Font()->Color(), 0x00FF8000);

    // The page shows the colours as colours.
    chosen = dir.filePath("colours.htm");
    chosenType = TForm1::SavePage;
    EXPECT_FALSE(form->mnuSaveAsClick()) << "a page is not a save of the design";
    QFile page(dir.filePath("colours.htm/colours.htm"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    EXPECT_TRUE(html.contains("#FF0000")) << html.data();
    EXPECT_TRUE(html.contains("#0080FF")) << html.data();
}

} // namespace
