#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

class TPersistent;
class TRSCustomObjectInspector;
class TRSItemProp;
class TRSItemProps;
class TRSItemProperty;
struct TPropInfo;

// What the inspector's last scan of one object made: for every row, in
// tree order, the property behind it and the decisions about sub-objects
// that depended on the object's values, together with the settings the scan
// ran under. A scan of another object of the same class under the same
// settings that decides alike makes rows of the same make-up, so the rows
// can be kept and only their values read again: selecting a control must
// not wait for its rows to be made anew.
class TRSScanRecord
{
public:
    explicit TRSScanRecord(TRSCustomObjectInspector &inspector);
    ~TRSScanRecord();
    TRSScanRecord(const TRSScanRecord &) = delete;
    TRSScanRecord &operator=(const TRSScanRecord &) = delete;

    bool Valid() const { return FValid; }
    // Valid, and the inspector's rows are still as recorded.
    bool Current() const;
    const std::type_info *ObjectType() const { return FObjectType; }
    void Clear();
    // Takes down the rows the inspector has just scanned for object.
    void Record(TPersistent *object);
    // True when a scan of object would make rows of the same make-up as
    // rows (the inspector's own, or those put aside); then the rows take
    // object's values, as a new scan would give them.
    bool Retarget(TRSItemProps *rows, TPersistent *object);

    // True when a scan of object would make rows of the same make-up as the
    // recorded ones; nothing is read into them.
    bool Fits(TPersistent *object);
    // The recorded rows: the inspector's own, or those put aside.
    TRSItemProps *Rows() const;
    // The property behind a recorded row; none for set elements and rows
    // that are not recorded.
    const TPropInfo *PropOf(const TRSItemProperty *row) const;
    // Changes whenever the record is made or cleared, never back to a value
    // it had: what was derived from the rows of an earlier record is stale.
    uint64_t Generation() const { return FGeneration; }

    // Keeps rows, whole, with their record while the inspector shows other
    // objects; nothing can change them there.
    void PutAside(TRSItemProps *rows);
    TRSItemProps *Aside() const { return FAside.get(); }
    // The rows put aside went back to the inspector.
    void TakenBack();

private:
    struct TEntry {
        TRSItemProperty *Row = nullptr;
        // None for the element rows of a set.
        const TPropInfo *Prop = nullptr;
        // The object the property is read from: used only while fresh, as
        // a recorded owner may be gone since.
        TPersistent *Owner = nullptr;
        const std::type_info *OwnerType = nullptr;
        // The dynamic class of a sub-object, or none.
        const std::type_info *ValueType = nullptr;
        uint8_t ValueFlags = 0;
        bool Expanded = false;
        bool operator==(const TEntry &other) const;
    };
    struct TSettings {
        uint64_t Stamp = 0;
        uint32_t DisplayKinds = 0;
        uint32_t DisplayOptions = 0;
        bool Sorted = false;
        bool CaseSensitive = false;
        bool InplaceComponents = false;
        bool InplaceCollections = false;
        bool InplaceTStrings = false;
        uint32_t InplaceTStringsOptions = 0;
        std::string CollectionItemFormat;
        std::string StringsItemFormat;
        std::string PathDelimiter;
        std::vector<std::string> Filters;
        bool operator==(const TSettings &) const = default;
    };

    // Whether anything that a scan would call out to, or a layout the
    // record cannot describe, rules keeping rows out; inspected: the rows
    // are to show the inspector's objects, which takes exactly one.
    bool Allowed(bool inspected) const;
    TSettings CurrentSettings() const;
    // The entries of rows and their descendants for owner; false when the
    // rows hold something a record cannot describe.
    bool Collect(TRSItemProps *rows, TPersistent *owner, std::vector<TEntry> &out);
    // The flags and class a scan takes from the value of a class property
    // into e; false when a scan would make rows a record cannot describe.
    bool DescribeValue(TPersistent *value, TEntry &e) const;
    // Whether a scan of object would make rows, like rows, of the recorded
    // make-up; on success FScratch holds the entries for object.
    bool Matches(TRSItemProps *rows, TPersistent *object, bool inspected);
    void Refresh(const std::vector<TEntry> &entries);

    TRSCustomObjectInspector &FInspector;
    bool FValid = false;
    uint64_t FGeneration = 0;
    const std::type_info *FObjectType = nullptr;
    TSettings FSettings;
    uint64_t FRowsStamp = 0;
    std::vector<TEntry> FEntries;
    std::vector<TEntry> FScratch;
    std::vector<TPersistent *> FSeen;
    std::unique_ptr<TRSItemProps> FAside;
};
