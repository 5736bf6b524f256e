#pragma once

#include "reflection/TypInfo.h"

#include <vector>

// The published properties each designed kind adds to those it shares.
namespace DesignerKinds
{

std::vector<TPropInfo> Label();
std::vector<TPropInfo> Button();
std::vector<TPropInfo> EditBox();
std::vector<TPropInfo> ListBox();
std::vector<TPropInfo> Memo();
std::vector<TPropInfo> ComboBox();
std::vector<TPropInfo> CheckBox();
std::vector<TPropInfo> RadioButton();
std::vector<TPropInfo> Panel();
std::vector<TPropInfo> GroupBox();
std::vector<TPropInfo> Image();
std::vector<TPropInfo> StringGrid();
std::vector<TPropInfo> InplaceEdit();

} // namespace DesignerKinds
