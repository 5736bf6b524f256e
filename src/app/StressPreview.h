#pragma once

#include "checks/TextRoom.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <unordered_map>
#include <vector>

class QMenu;
class TLXControlsContainer;
class TProblemsDock;
class TStressedCopy;

// View > Stress preview: in place of the design surface, shows the design at
// a larger text size with its texts pseudo-localised 40 % longer, outlines
// in red the controls whose text would be clipped, and has the Problems dock
// list them. What it shows is a copy of the design: the design, its undo
// history and the bytes it saves stay as they are. A click selects the
// design's control under it, so the inspector can mend it.
class TStressPreview : public QWidget
{
public:
    TStressPreview(TLXControlsContainer *surface, TProblemsDock *dock);
    ~TStressPreview() override;

    // Adds the choices (off, 125 %, 150 %, 200 %) to the menu.
    void AddSwitches(QMenu *menu);
    // 100 ends the preview.
    void SetPercent(int percent);
    int Percent() const { return FPercent; }
    // Copies and measures the design again.
    void Refresh();
    // After a check of the design: copies again only the changed controls
    // when those are known (see TProblemsDock::OnRefreshed).
    void Follow(const std::vector<QWidget *> *changed);
    // What is shown; none while the preview is off.
    TStressedCopy *Copy() const { return FCopy.get(); }

    struct TMark {
        QPointer<QWidget> Control;
        TTextRoom::TClip Clip;
    };
    const std::vector<TMark> &Marks() const { return FMarks; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void Mark();

    TLXControlsContainer *FSurface;
    TProblemsDock *FDock;
    int FPercent = 100;
    std::vector<TMark> FMarks;
    // What each marked control's text needs, until a change touches it.
    std::unordered_map<const QWidget *, TTextRoom::TClip> FClips;
    std::unique_ptr<TStressedCopy> FCopy;
};
