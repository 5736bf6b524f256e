#pragma once

#include "designer/GuideIndex.h"

#include <QWidget>
#include <vector>

// Draws the guides a drag matched and the gaps to the neighbours above the
// designed controls; it lets the mouse through to them.
class TGuideOverlay : public QWidget
{
public:
    // Covers parent whole; origin is where the dragged controls' container
    // has its (0, 0) in parent.
    explicit TGuideOverlay(QWidget *parent);

    void Show(const QPoint &origin, std::vector<TGuideLine> lines,
              std::vector<TGuideDistance> distances);

    const std::vector<TGuideLine> &Lines() const { return FLines; }
    const std::vector<TGuideDistance> &Distances() const { return FDistances; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where the lines and numbers are drawn, in this widget.
    QRect Extent() const;

    QPoint FOrigin;
    std::vector<TGuideLine> FLines;
    std::vector<TGuideDistance> FDistances;
};
