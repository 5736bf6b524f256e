#pragma once

// Elements of a string grid's Options set, as bit numbers.
enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking,
};

using TGridOptions = unsigned;

constexpr TGridOptions GridOptionBit(TGridOption option)
{
    return 1u << option;
}
