#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TRSItemProp;
class TRSStringList;

// Common base of the objects that are passed as the Sender of grid events
// (rows and grids); receivers tell them apart with dynamic_cast.
class TRSObject
{
public:
    virtual ~TRSObject() = default;
};

enum TRSEditStyle { esSimple, esEllipsis, esPickList };

// Flags of TILEDisplayOptions; member order is bit order.
enum TILEDisplayOption : unsigned {
    doColumnTitles = 1u << 0,
    doAutoColResize = 1u << 1,
    doKeyColFixed = 1u << 2,
    doShowReadOnly = 1u << 3,
    doMultiColValues = 1u << 4,
};
using TILEDisplayOptions = unsigned;

// Flags of TILEPropOptions.
enum TILEPropOption : unsigned {
    propEdit = 1u << 0,
    propAdd = 1u << 1,
    propDelete = 1u << 2,
    propUnique = 1u << 3,
};
using TILEPropOptions = unsigned;

enum TRSGridOrientation { goVertical, goHorizontal };

enum TGridShowHints { shNone, shValueOnly, shHintOnly, shValueAndHint };

// Flags of the grid's TGridOptions; member order is bit order.
enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

// Collection notifications.
enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

using TNotifyEvent = std::function<void(TRSObject *Sender)>;
using TRSGetPickListEvent =
    std::function<void(TRSObject *Sender, const std::string &PropName, TRSStringList *Values)>;
using TRSGetCategoryEvent = std::function<void(TRSObject *Sender, const TRSItemProp *Item,
                                               const std::string &PropName, std::string &Category)>;
using TRSOnValidateEvent = std::function<void(TRSObject *Sender, TRSItemProp *Item, int ACol)>;
using TRSOnShowHintsEvent =
    std::function<void(TRSObject *Sender, const TRSItemProp *Item, std::string &HintString)>;
