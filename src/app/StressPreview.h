#pragma once

#include "checks/TextRoom.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class QMenu;
class TLXControlsContainer;
class TProblemsDock;

// View > Stress preview: over the design surface, outlines in red the
// controls whose text would be clipped at a larger text size with texts
// pseudo-localised 40 % longer, and has the Problems dock list them. It
// paints over the surface only: the design, its undo history and the bytes
// it saves stay as they are.
class TStressPreview : public QWidget
{
public:
    TStressPreview(TLXControlsContainer *surface, TProblemsDock *dock);

    // Adds the choices (off, 125 %, 150 %, 200 %) to the menu.
    void AddSwitches(QMenu *menu);
    // 100 ends the preview.
    void SetPercent(int percent);
    int Percent() const { return FPercent; }
    // Measures the design again.
    void Refresh();

    struct TMark {
        QPointer<QWidget> Control;
        TTextRoom::TClip Clip;
    };
    const std::vector<TMark> &Marks() const { return FMarks; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TLXControlsContainer *FSurface;
    TProblemsDock *FDock;
    int FPercent = 100;
    std::vector<TMark> FMarks;
};
