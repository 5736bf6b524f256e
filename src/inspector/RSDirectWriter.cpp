#include "inspector/RSDirectWriter.h"

#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSScanRecord.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/StrUtils.h"
#include "reflection/TypInfo.h"

struct TRSDirectWriter::TStep {
    std::string Path;
    // None when no row has the path.
    TRSItemProperty *Row = nullptr;
    // What the row does with a written text, as it was when the step was
    // made: the rows do not change while the plan lasts.
    bool Writable = false;
    bool Applies = false;
    // The properties leading from the object to the owner of the row's.
    std::vector<const TPropInfo *> Chain;
    const TPropInfo *Prop = nullptr;
    // For an element row: its set, and its place among the set's rows.
    int Set = -1;
    int Element = -1;
};

struct TRSDirectWriter::TPlan {
    TRSScanRecord *Record = nullptr;
    uint64_t Generation = 0;
    // Every row takes its text as typed, so none needs rows for the object.
    bool Direct = true;
    std::unordered_map<std::string, std::unique_ptr<TStep>> Steps;
    struct TSet {
        TStep Step;
        std::vector<TRSItemProperty *> Elements;
    };
    std::vector<TSet> Sets;
    // The steps in the order the last object asked for them: objects of a
    // class mostly name the same paths in the same order. The paths' heads
    // are kept here, side by side, so that following the order touches
    // little else.
    struct TPlace {
        static constexpr size_t HeadSize = 28;
        uint32_t Size = 0;
        char Head[HeadSize] = {};
        const TStep *Step = nullptr;
        explicit TPlace(const TStep *step)
            : Size(static_cast<uint32_t>(step->Path.size())), Step(step)
        {
            step->Path.copy(Head, HeadSize);
        }
        bool Is(std::string_view path) const
        {
            if (path.size() != Size)
                return false;
            if (path.size() <= HeadSize)
                return path == std::string_view(Head, path.size());
            return path.substr(0, HeadSize) == std::string_view(Head, HeadSize) &&
                   path.substr(HeadSize) == std::string_view(Step->Path).substr(HeadSize);
        }
    };
    std::vector<TPlace> Sequence;
};

namespace
{

TRSItemProperty *AsRow(TRSItemProp *row)
{
    return dynamic_cast<TRSItemProperty *>(row);
}

} // namespace

// What a step takes from its row: the row's rules and the properties that
// lead from the object to the row's own.
void TRSDirectWriter::Describe(const TRSScanRecord &record, TRSItemProperty *row, TStep &step)
{
    step.Row = row;
    step.Writable = !row->GetReadOnly();
    step.Applies = row->HasTypeData() || row->OnSetProperty;
    step.Prop = record.PropOf(row);
    for (TRSItemProperty *p = row->ParentProperty(); p; p = p->ParentProperty())
        step.Chain.insert(step.Chain.begin(), record.PropOf(p));
}

TRSDirectWriter::TRSDirectWriter(TRSCustomObjectInspector &inspector) : FInspector(inspector) {}

TRSDirectWriter::~TRSDirectWriter() = default;

TRSDirectWriter::TPlan *TRSDirectWriter::PlanFor(const std::type_info &type)
{
    TRSScanRecord *record = FInspector.ScanRecordFor(type);
    if (!record)
        return nullptr;
    std::unique_ptr<TPlan> &plan = FPlans[std::type_index(type)];
    if (plan && plan->Record == record && plan->Generation == record->Generation())
        return plan.get();
    plan = std::make_unique<TPlan>();
    plan->Record = record;
    plan->Generation = record->Generation();
    // A row whose values are not one column takes a written text otherwise
    // than as a whole; the rows alone know how.
    std::vector<TRSItemProps *> pending{record->Rows()};
    while (!pending.empty() && plan->Direct) {
        TRSItemProps *rows = pending.back();
        pending.pop_back();
        for (int i = 0; i < rows->Count(); ++i) {
            TRSItemProperty *row = AsRow(rows->Item(i));
            if (!row || row->Values()->Count() != 1) {
                plan->Direct = false;
                break;
            }
            if (row->HasTypeData() && row->TypeKind() == tkSet) {
                TPlan::TSet set;
                Describe(*record, row, set.Step);
                for (int e = 0; e < row->Items()->Count(); ++e)
                    set.Elements.push_back(AsRow(row->Items()->Item(e)));
                plan->Sets.push_back(std::move(set));
            }
            pending.push_back(row->Items());
        }
    }
    return plan.get();
}

bool TRSDirectWriter::Begin(TPersistent *object)
{
    End();
    if (!object)
        return false;
    TPlan *plan = PlanFor(typeid(*object));
    if (!plan || !plan->Direct || !plan->Record->Fits(object))
        return false;
    FPlan = plan;
    FObject = object;
    FPosition = 0;
    // The element rows would show the bits of their set as the object has
    // it now, and keep them until a write of their own.
    FElements.resize(plan->Sets.size());
    for (size_t s = 0; s < plan->Sets.size(); ++s) {
        const TPlan::TSet &set = plan->Sets[s];
        TPersistent *owner = Owner(set.Step);
        FElements[s].clear();
        const uint32_t mask =
            owner && set.Step.Prop
                ? static_cast<uint32_t>(
                      TypInfo::ReadAsVariant(*set.Step.Prop, set.Step.Prop->Get(owner), false)
                          .AsInt64())
                : 0;
        for (TRSItemProperty *element : set.Elements) {
            const int64_t bit = element ? element->StoredValue(0).AsInt64() : -1;
            FElements[s].push_back(bit >= 0 && bit < 32 && (mask & (1u << bit)));
        }
    }
    return true;
}

void TRSDirectWriter::End()
{
    FPendingSet = -1;
    FObject = nullptr;
    FPlan = nullptr;
}

const TRSDirectWriter::TStep *TRSDirectWriter::Step(std::string_view path)
{
    std::vector<TPlan::TPlace> &sequence = FPlan->Sequence;
    if (FPosition < sequence.size() && sequence[FPosition].Is(path))
        return sequence[FPosition++].Step;
    if (FPosition > 0 && sequence[FPosition - 1].Is(path))
        return sequence[FPosition - 1].Step;
    const TStep *found = Lookup(path);
    if (FPosition < sequence.size())
        sequence[FPosition] = TPlan::TPlace(found);
    else
        sequence.emplace_back(found);
    ++FPosition;
    return found;
}

const TRSDirectWriter::TStep *TRSDirectWriter::Lookup(std::string_view path)
{
    std::unique_ptr<TStep> &step = FPlan->Steps[std::string(path)];
    if (step)
        return step.get();
    step = std::make_unique<TStep>();
    step->Path = path;
    TRSItemProperty *row = AsRow(FInspector.FindStoredPath(FPlan->Record->Rows(), step->Path));
    if (!row)
        return step.get();
    Describe(*FPlan->Record, row, *step);
    if (TRSItemProperty *parent = row->ParentProperty()) {
        for (size_t s = 0; s < FPlan->Sets.size(); ++s) {
            const auto &elements = FPlan->Sets[s].Elements;
            if (FPlan->Sets[s].Step.Row != parent)
                continue;
            for (size_t e = 0; e < elements.size(); ++e)
                if (elements[e] == row) {
                    step->Set = static_cast<int>(s);
                    step->Element = static_cast<int>(e);
                }
        }
    }
    return step.get();
}

TPersistent *TRSDirectWriter::Owner(const TStep &step) const
{
    TPersistent *object = FObject;
    for (const TPropInfo *prop : step.Chain) {
        if (!object)
            break;
        object = prop && prop->PropType->Kind == tkClass ? prop->Get(object).AsObject() : nullptr;
    }
    return object;
}

void TRSDirectWriter::Apply(const TStep &step, const std::string &text)
{
    TRSItemProperty *row = step.Row;
    if (TPersistent *owner = Owner(step))
        FInspector.SetOwnerPropText(owner, row->PropName(),
                                    row->OnGetProperty ? nullptr : step.Prop, row, text);
}

bool TRSDirectWriter::Write(std::string_view path, const std::string &text)
{
    const TStep &step = *Step(path);
    if (!step.Writable)
        return step.Row != nullptr;
    if (step.Applies) {
        Flush();
        Apply(step, text);
        return true;
    }
    // An element row hands its set the names of the elements that show
    // True, and the set writes them. Elements written one after another
    // make one write of their set, with the last of their names.
    if (step.Set < 0)
        return true;
    if (FPendingSet != step.Set)
        Flush();
    FElements[static_cast<size_t>(step.Set)][static_cast<size_t>(step.Element)] =
        StrUtils::SameText(text, "True");
    FPendingSet = step.Set;
    return true;
}

void TRSDirectWriter::Flush()
{
    if (FPendingSet < 0)
        return;
    const TPlan::TSet &set = FPlan->Sets[static_cast<size_t>(FPendingSet)];
    const std::vector<bool> &values = FElements[static_cast<size_t>(FPendingSet)];
    FPendingSet = -1;
    std::string names;
    for (size_t e = 0; e < set.Elements.size(); ++e) {
        if (!set.Elements[e] || !values[e])
            continue;
        if (!names.empty())
            names += ',';
        names += set.Elements[e]->Name();
    }
    Apply(set.Step, names);
}

void TRSDirectWriter::Finish()
{
    Flush();
    End();
}

bool TRSDirectWriter::HasRow(std::string_view path)
{
    return Step(path)->Row != nullptr;
}

TPersistent *TRSDirectWriter::ObjectAt(std::string_view path)
{
    Flush();
    const TStep &step = *Step(path);
    // A row without a property of its own refuses, as it does when shown.
    if (!step.Row->HasTypeData())
        return step.Row->GetObjectValue(-1);
    TPersistent *owner = Owner(step);
    return owner ? TypInfo::GetObjectProp(owner, step.Row->PropName()) : nullptr;
}

void TRSDirectWriter::SetObjectAt(std::string_view path, TPersistent *value)
{
    Flush();
    const TStep &step = *Step(path);
    if (!step.Row->HasTypeData()) {
        step.Row->SetObjectValue(value, -1);
        return;
    }
    TPersistent *owner = Owner(step);
    if (owner && step.Prop && step.Prop->HasWriter())
        step.Prop->Set(owner, TVariant(value));
    else if (owner)
        TypInfo::SetObjectProp(owner, step.Row->PropName(), value);
}
