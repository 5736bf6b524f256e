#include "presets/RSTFilenamePropertyPreset.h"

#include "controls/published/DesignerProps.h"
#include "controls/published/DesignerTypes.h"
#include "presets/RSPresetDialogs.h"
#include "presets/RSPresetSupport.h"

using namespace DesignerProps;

namespace
{

struct TOptionTypes {
    TTypeInfo Option, Options, OptionEx, OptionsEx;
    TOptionTypes()
    {
        Option.Kind = tkEnumeration;
        Option.Name = "TOpenOption";
        Option.Names = {"ofReadOnly",
                        "ofOverwritePrompt",
                        "ofHideReadOnly",
                        "ofNoChangeDir",
                        "ofShowHelp",
                        "ofNoValidate",
                        "ofAllowMultiSelect",
                        "ofExtensionDifferent",
                        "ofPathMustExist",
                        "ofFileMustExist",
                        "ofCreatePrompt",
                        "ofShareAware",
                        "ofNoReadOnlyReturn",
                        "ofNoTestFileCreate",
                        "ofNoNetworkButton",
                        "ofNoLongNames",
                        "ofOldStyleDialog",
                        "ofNoDereferenceLinks",
                        "ofEnableIncludeNotify",
                        "ofEnableSizing",
                        "ofDontAddToRecent",
                        "ofForceShowHidden"};
        Option.MaxValue = static_cast<int64_t>(Option.Names.size()) - 1;
        Options.Kind = tkSet;
        Options.Name = "TOpenOptions";
        Options.MaxValue = Option.MaxValue;
        Options.CompType = &Option;
        OptionEx.Kind = tkEnumeration;
        OptionEx.Name = "TOpenOptionEx";
        OptionEx.Names = {"ofExNoPlacesBar"};
        OptionsEx.Kind = tkSet;
        OptionsEx.Name = "TOpenOptionsEx";
        OptionsEx.CompType = &OptionEx;
    }
};

using F = TRSTFilenamePropertyPreset;

TPropInfo Text(const char *name, const std::string &(F::*get)() const,
               void (F::*set)(const std::string &))
{
    return Str<F>(
        name, DesignerTypes().String, [get](F &p) { return (p.*get)(); },
        [set](F &p, const std::string &v) { (p.*set)(v); });
}

} // namespace

const TClassInfo *TRSTFilenamePropertyPreset::ClassType()
{
    static const TOptionTypes types;
    static const TClassInfo *info = RSPresetSupport::DescribePresetClass<F>(
        "TRSTFilenamePropertyPreset", TRSPropertyPreset::ClassType(),
        {
            Text("DefaultExt", &F::DefaultExt, &F::SetDefaultExt),
            Text("Filter", &F::Filter, &F::SetFilter),
            Ord<F>(
                "FilterIndex", DesignerTypes().Integer, [](F &p) { return p.FilterIndex(); },
                [](F &p, int64_t v) { p.SetFilterIndex(static_cast<int>(v)); }, 1),
            Text("InitialDir", &F::InitialDir, &F::SetInitialDir),
            Ord<F>(
                "Options", types.Options, [](F &p) { return p.Options(); },
                [](F &p, int64_t v) { p.SetOptions(static_cast<TOpenOptions>(v)); },
                (1 << ofHideReadOnly) | (1 << ofEnableSizing)),
            Ord<F>(
                "OptionsEx", types.OptionsEx, [](F &p) { return p.OptionsEx(); },
                [](F &p, int64_t v) { p.SetOptionsEx(static_cast<TOpenOptionsEx>(v)); }, 0),
            Text("Title", &F::Title, &F::SetTitle),
        });
    return info;
}

TRSTFilenamePropertyPreset::TRSTFilenamePropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TFilename Dialog Property editor");
    SetTypeKinds(KindBit(tkLString));
    TypeNames().SetStrings({"TFilename"});
    SetEditStyle(esEllipsis);
    OnEditButtonClick = [this](TRSObject *sender) {
        TRSItemProperty *row = RSPresetSupport::SenderRow(sender);
        const auto &dialog = PresetDialogs().OpenFileDialog;
        if (!row || !dialog)
            return;
        const std::optional<std::string> chosen = dialog(*this, row->Value());
        if (!chosen)
            return;
        row->SetValue(*chosen);
        row->Validate();
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle));
}

void TRSTFilenamePropertyPreset::SetDefaultExt(const std::string &value)
{
    if (value == FDefaultExt)
        return;
    FDefaultExt = value;
    PresetChanged();
}

void TRSTFilenamePropertyPreset::SetFilter(const std::string &value)
{
    if (value == FFilter)
        return;
    FFilter = value;
    PresetChanged();
}

void TRSTFilenamePropertyPreset::SetFilterIndex(int value)
{
    if (value == FFilterIndex)
        return;
    FFilterIndex = value;
    PresetChanged();
}

void TRSTFilenamePropertyPreset::SetInitialDir(const std::string &value)
{
    std::string dir = value;
    const size_t n = dir.size();
    const bool delimiter = n > 0 && (dir[n - 1] == '/' || dir[n - 1] == '\\');
    if (delimiter && !(n >= 2 && dir[n - 2] == ':'))
        dir.pop_back();
    if (dir == FInitialDir)
        return;
    FInitialDir = dir;
    PresetChanged();
}

void TRSTFilenamePropertyPreset::SetOptions(TOpenOptions value)
{
    if (value == FOptions)
        return;
    FOptions = value;
    PresetChanged();
}

void TRSTFilenamePropertyPreset::SetOptionsEx(TOpenOptionsEx value)
{
    if (value == FOptionsEx)
        return;
    FOptionsEx = value;
    PresetChanged();
}

void TRSTFilenamePropertyPreset::SetTitle(const std::string &value)
{
    if (value == FTitle)
        return;
    FTitle = value;
    PresetChanged();
}

void TRSTFilenamePropertyPreset::Assign(const TRSPropertyPreset &source)
{
    if (const auto *file = dynamic_cast<const TRSTFilenamePropertyPreset *>(&source)) {
        FDefaultExt = file->FDefaultExt;
        FFilter = file->FFilter;
        FFilterIndex = file->FFilterIndex;
        FInitialDir = file->FInitialDir;
        FOptions = file->FOptions;
        FOptionsEx = file->FOptionsEx;
        FTitle = file->FTitle;
    }
    TRSPropertyPreset::Assign(source);
}
