#include "presets/RSTPicturePropertyPreset.h"

#include "controls/Picture.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"
#include "presets/RSPresetDialogs.h"
#include "presets/RSPresetSupport.h"

const TClassInfo *TRSTPicturePropertyPreset::ClassType()
{
    static const TClassInfo *info = RSPresetSupport::DescribePresetClass<TRSTPicturePropertyPreset>(
        "TRSTPicturePropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTPicturePropertyPreset::TRSTPicturePropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TPicture Property Editor");
    SetTypeKinds(KindBit(tkClass));
    TypeNames().SetStrings({"TPicture", "TBitmap"});
    SetEditStyle(esEllipsis);
    OnEditButtonClick = [](TRSObject *sender) {
        TRSItemProperty *row = RSPresetSupport::SenderRow(sender);
        const auto &dialog = PresetDialogs().OpenPictureDialog;
        if (!row || !dialog)
            return;
        auto *picture = dynamic_cast<TPicture *>(row->GetObjectValue(-1));
        if (!picture)
            return;
        const std::optional<QString> file = dialog();
        if (!file)
            return;
        // Loaded apart first, so that a file that is no picture leaves the
        // picture as it was.
        TPicture loaded;
        try {
            loaded.LoadFromFile(*file);
        } catch (const std::exception &error) {
            throw Exception("Cannot load the picture \"" + CodePage::FromQString(*file) +
                            "\": " + error.what());
        }
        picture->Assign(loaded);
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle));
}
