#pragma once

#include "reflection/Collection.h"
#include "reflection/TypInfo.h"

#include <QDateTime>
#include <cstdint>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

class TPersistent;
class TRSItemProperty;
class TRSObject;
class TRSPropertyPreset;

// What the ready-made presets share: describing their classes, finding the
// row and object a handler serves, and the value texts they read and write.
namespace RSPresetSupport
{

// Describes a preset class with its own published properties and
// registers it by name with the published-property model; presets of it
// can then be made by name in a presets collection.
template <class T>
const TClassInfo *DescribePresetClass(const char *name, const TClassInfo *parent,
                                      std::vector<TPropInfo> props = {})
{
    static TClassInfo cls;
    cls.Name = name;
    cls.Parent = parent;
    cls.Properties = std::move(props);
    cls.Construct = [](TPersistent *owner) -> TPersistent * {
        return new T(dynamic_cast<TCollection *>(owner));
    };
    TypInfo::RegisterClass(typeid(T), &cls);
    return &cls;
}

// The row a handler was called for, when its sender is one.
TRSItemProperty *SenderRow(TRSObject *sender);
// The row a pick-list handler serves: its sender when that is a row, else
// the row of that path among the preset's inspector's rows.
TRSItemProperty *ServedRow(TRSPropertyPreset &preset, TRSObject *sender,
                           const std::string &propName);
// The object that owns the row's property, for the current value column;
// none when the path leads nowhere.
TPersistent *RowOwner(TRSItemProperty *row);

// Opens a dialog on the object that owns the property of the row that sent
// the click, when the dialog is there.
void EditRowOwner(TRSObject *sender, const std::function<void(TPersistent *)> &dialog);
// Opens the date pop-up at the mouse for the row that sent the click; on a
// chosen day the row takes the text made of its value and that day, and
// validates it. With keepOnScreen the pop-up stays inside the screen.
void EditRowDate(TRSObject *sender, bool keepOnScreen,
                 const std::function<std::string(double value, double chosen)> &text);

// An integer text: decimal, or hexadecimal after "$" read as 32 bits.
// Anything else raises "'%s' is not a valid integer value".
int64_t ParseIntegerText(const std::string &text);
// The same for a 32-bit value: a decimal text beyond 32 bits is refused
// with the same message rather than wrapped.
int32_t ParseInt32Text(const std::string &text);

// Date and time texts in the locale's formats. A date has two-digit day
// and month and a four-digit year in the locale's order, separated by "/";
// a time is hours, minutes and seconds, with AM/PM where the locale uses a
// twelve-hour clock. Values are days since 30 December 1899.
QString DateFormat();
QString TimeFormat();
double DateTimeFromQt(const QDateTime &value);
QDateTime DateTimeToQt(double value);
std::string DateText(double value);
std::string TimeText(double value);
std::string DateTimeText(double value);
// A text that does not parse raises "'%s' is not a valid date" (time,
// date and time).
double ParseDate(const std::string &text);
double ParseTime(const std::string &text);
double ParseDateTime(const std::string &text);

} // namespace RSPresetSupport
