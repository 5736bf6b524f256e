#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <vector>

class TPersistent;
class TRSCustomObjectInspector;
class TRSItemProperty;
class TRSScanRecord;
struct TPropInfo;

// Writes stored property texts into an object, by the paths of the rows that
// show them, as those rows would write them, but without making rows
// for the object: the rows of an earlier scan of an object of the same class
// stand in, when a scan of this object would make rows of the same make-up.
// Opening a layout writes every property of every control; making and
// filling rows for each control only to write through them was most of the
// time an opening took.
//
// What is derived from the rows lasts for one writer, and is checked against
// the inspector's records for every object, so it never outlives the rows.
class TRSDirectWriter
{
public:
    explicit TRSDirectWriter(TRSCustomObjectInspector &inspector);
    ~TRSDirectWriter();
    TRSDirectWriter(const TRSDirectWriter &) = delete;
    TRSDirectWriter &operator=(const TRSDirectWriter &) = delete;

    // Starts on object; false, with nothing touched, when only rows made for
    // it could write it. Then the writes below go to object until Finish,
    // or End, which drops a write still pending (after an error).
    bool Begin(TPersistent *object);
    void Finish();
    void End();
    bool Active() const { return FObject != nullptr; }

    // Writes text as the row of that path would when its value is typed in;
    // nothing when there is no such row. The elements of a set written one
    // after another give one write of the set, with all of them: the value
    // the rows end with, without the steps between. False when no row has
    // the path.
    bool Write(std::string_view path, const std::string &text);
    // Whether there is a row of that path at all.
    bool HasRow(std::string_view path);
    // The object held by the class property of that path, and replacing it,
    // as the row's object value does.
    TPersistent *ObjectAt(std::string_view path);
    void SetObjectAt(std::string_view path, TPersistent *value);

private:
    struct TStep;
    struct TPlan;

    TPlan *PlanFor(const std::type_info &type);
    static void Describe(const TRSScanRecord &record, TRSItemProperty *row, TStep &step);
    const TStep *Step(std::string_view path);
    const TStep *Lookup(std::string_view path);
    // The object owning the property of step, or none.
    TPersistent *Owner(const TStep &step) const;
    void Apply(const TStep &step, const std::string &text);
    // Writes the set whose elements were written last, if not yet done.
    void Flush();

    TRSCustomObjectInspector &FInspector;
    std::unordered_map<std::type_index, std::unique_ptr<TPlan>> FPlans;
    TPlan *FPlan = nullptr;
    TPersistent *FObject = nullptr;
    size_t FPosition = 0;
    int FPendingSet = -1;
    // Whether each element of each set shows True for the object, as the
    // element rows would: read at Begin, then as written.
    std::vector<std::vector<bool>> FElements;
};
