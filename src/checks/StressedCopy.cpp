#include "checks/StressedCopy.h"

#include "checks/LayoutChecker.h"
#include "controls/LXComboBox.h"
#include "controls/LXDesigned.h"
#include "controls/LXListBox.h"
#include "controls/LXStringGrid.h"
#include "designer/LXControlsContainer.h"
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
    : FCopy(std::make_unique<TLXControlsContainer>(nullptr, nullptr))
{
    // One inspector writes and reads, so the copy never depends on how the
    // user's inspector arranges the properties.
    const std::unique_ptr<TRSObjectInspector> inspector = MakeLayoutInspector();
    const std::string text = TXmlPersistance(design, inspector.get()).SaveToText();
    TXmlPersistance(FCopy.get(), inspector.get()).LoadText(text);
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

TStressedCopy::~TStressedCopy() = default;

QWidget *TStressedCopy::Client() const
{
    return FCopy->widget();
}
