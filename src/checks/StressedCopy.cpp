#include "checks/StressedCopy.h"

#include "checks/LayoutChecker.h"
#include "controls/LXComboBox.h"
#include "controls/LXDesigned.h"
#include "controls/LXListBox.h"
#include "controls/LXStringGrid.h"
#include "designer/ControlPath.h"
#include "designer/LXControlsContainer.h"
#include "designer/LayoutSnapshot.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"
#include "persistence/XmlPersistance.h"

#include <QListWidgetItem>
#include <utility>
#include <vector>

namespace
{

void Collect(QWidget *parent, std::vector<std::pair<QWidget *, QFont>> &controls)
{
    for (QWidget *control : TLayoutChecker::DesignedChildren(parent)) {
        controls.emplace_back(control, control->font());
        Collect(control, controls);
    }
}

void Lengthen(QWidget *control, const TTextStress &stress)
{
    TLXDesigned *designed = AsDesigned(control);
    designed->SetText(stress.Text(designed->Text()));
    if (auto *combo = dynamic_cast<TLXComboBox *>(control)) {
        for (int i = 0; i < combo->count(); ++i)
            combo->setItemText(i, stress.Text(combo->itemText(i)));
    } else if (auto *list = dynamic_cast<TLXListBox *>(control)) {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setText(stress.Text(list->item(i)->text()));
    } else if (auto *grid = dynamic_cast<TLXStringGrid *>(control)) {
        for (int row = 0; row < grid->RowCount(); ++row)
            for (int col = 0; col < grid->ColCount(); ++col)
                grid->SetCell(col, row, stress.Text(grid->Cell(col, row)));
    }
}

} // namespace

TStressedCopy::TStressedCopy(TLXControlsContainer *design, const TTextStress &stress)
    : FDesign(design), FDesignClient(design->widget()), FStress(stress),
      FInspector(MakeLayoutInspector()),
      FCopy(std::make_unique<TLXControlsContainer>(nullptr, nullptr))
{
    // One inspector writes and reads, so the copy never depends on how the
    // user's inspector arranges the properties.
    const std::string text = TXmlPersistance(design, FInspector.get()).SaveToText();
    TXmlPersistance(FCopy.get(), FInspector.get()).LoadText(text);
    // Its size is the design's client's, whatever the copy's own scroll box.
    FCopy->setWidgetResizable(false);
    FCopy->widget()->resize(design->widget()->size());

    // The fonts are taken before any is changed: a control that takes its
    // parent's font would otherwise be scaled twice.
    std::vector<std::pair<QWidget *, QFont>> controls;
    Collect(FCopy->widget(), controls);
    for (const auto &[control, font] : controls) {
        control->setFont(stress.Font(font));
        Lengthen(control, stress);
    }
}

bool TStressedCopy::Update(const std::vector<QWidget *> &changed)
{
    if (FDesign->widget() != FDesignClient)
        return false;
    TLayoutSnapshot from(FDesign, FInspector.get());
    TLayoutSnapshot to(FCopy.get(), FInspector.get());
    for (QWidget *control : changed) {
        QWidget *copy = TControlPath::Of(control, FDesign).Resolve(FCopy.get());
        if (!copy)
            return false;
        TControlState state = from.Capture(control);
        // The copy was found by its name, and its tab position shows
        // nothing; setting either would look at every sibling.
        std::erase_if(state.Properties, [](const TPropertyValue &value) {
            return value.Name == "Name" || value.Name == "TabOrder";
        });
        to.Restore(copy, state.Properties, state.Cells);
        Lengthen(copy, FStress);
        // Its font is its children's too: each takes the design's font of
        // its counterpart, larger.
        std::vector<std::pair<QWidget *, QWidget *>> pairs{{control, copy}};
        for (size_t i = 0; i < pairs.size(); ++i) {
            const auto [original, copied] = pairs[i];
            copied->setFont(FStress.Font(original->font()));
            const std::vector<QWidget *> originals = TLayoutChecker::DesignedChildren(original);
            const std::vector<QWidget *> copies = TLayoutChecker::DesignedChildren(copied);
            if (originals.size() != copies.size())
                return false;
            for (size_t k = 0; k < originals.size(); ++k)
                pairs.emplace_back(originals[k], copies[k]);
        }
    }
    return true;
}

TStressedCopy::~TStressedCopy() = default;

QWidget *TStressedCopy::Client() const
{
    return FCopy->widget();
}
