#pragma once

#include "inspector/RSPropertyPreset.h"

#include <cstdint>
#include <string>

// Options of the open-file dialog (bit positions).
enum TOpenOption : uint8_t {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden,
};
using TOpenOptions = uint32_t;
enum TOpenOptionEx : uint8_t { ofExNoPlacesBar };
using TOpenOptionsEx = uint32_t;

// File-name rows: an ellipsis button that opens the open-file dialog with
// the preset's settings and takes the chosen name.
class TRSTFilenamePropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTFilenamePropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();

    const std::string &DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string &value);
    const std::string &Filter() const { return FFilter; }
    void SetFilter(const std::string &value);
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int value);
    const std::string &InitialDir() const { return FInitialDir; }
    // Drops one trailing path delimiter unless it follows a drive colon.
    void SetInitialDir(const std::string &value);
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions value);
    TOpenOptionsEx OptionsEx() const { return FOptionsEx; }
    void SetOptionsEx(TOpenOptionsEx value);
    const std::string &Title() const { return FTitle; }
    void SetTitle(const std::string &value);

    void Assign(const TRSPropertyPreset &source) override;

private:
    std::string FDefaultExt;
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FInitialDir;
    TOpenOptions FOptions = (1u << ofHideReadOnly) | (1u << ofEnableSizing);
    TOpenOptionsEx FOptionsEx = 0;
    std::string FTitle;
};
