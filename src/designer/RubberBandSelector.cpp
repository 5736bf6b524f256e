#include "designer/RubberBandSelector.h"

#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"

#include <QApplication>
#include <QRubberBand>
#include <QWidget>

TRubberBandSelector::TRubberBandSelector() = default;

TRubberBandSelector::~TRubberBandSelector() = default;

void TRubberBandSelector::Press(QWidget *container, const QPoint &pos, bool add)
{
    Cancel();
    FContainer = container;
    FOrigin = pos;
    FAdd = add;
}

bool TRubberBandSelector::Move(const QPoint &pos)
{
    if (!FContainer)
        return false;
    if (!FActive) {
        if ((pos - FOrigin).manhattanLength() < QApplication::startDragDistance())
            return false;
        FActive = true;
        FBand = std::make_unique<QRubberBand>(QRubberBand::Rectangle, FContainer);
    }
    FBand->setGeometry(QRect(FOrigin, pos).normalized());
    FBand->raise();
    FBand->show();
    return true;
}

bool TRubberBandSelector::Release(const QPoint &pos)
{
    if (!FContainer)
        return false;
    const bool band = FActive;
    QWidget *container = FContainer;
    const bool add = FAdd;
    Cancel();
    if (!band || !DesignerHandler)
        return band;
    const QRect area = QRect(FOrigin, pos).normalized();
    std::vector<QWidget *> touched;
    for (QWidget *c : TControlsFactory::DesignedChildren(container))
        if (c->geometry().intersects(area))
            touched.push_back(c);
    if (touched.empty() && !add)
        DesignerHandler->ClearSelection();
    else
        DesignerHandler->SelectControls(touched, add);
    return true;
}

void TRubberBandSelector::Cancel()
{
    FBand.reset();
    FContainer = nullptr;
    FActive = false;
}
