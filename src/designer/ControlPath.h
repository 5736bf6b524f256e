#pragma once

#include <QString>
#include <vector>

class QWidget;

// Where a designed control lies in the design: the names of the controls
// from the surface down to it. A name that several siblings share is told
// apart by its occurrence among them in stacking order. Design commands
// find their controls by path, so a control that a delete and its undo
// brought back is found again.
class TControlPath
{
public:
    struct TSegment {
        QString Name;
        int Occurrence = 0;
        bool operator==(const TSegment &) const = default;
    };

    TControlPath() = default;
    // The path of a designed control below root (the design surface); the
    // empty path stands for root itself.
    static TControlPath Of(QWidget *control, QWidget *root);
    // The designed control (or root for the empty path), or none when the
    // design holds nothing at that path.
    QWidget *Resolve(QWidget *root) const;

    // The same for many controls at once, looking at each parent's children
    // only once.
    static std::vector<TControlPath> OfAll(const std::vector<QWidget *> &controls, QWidget *root);
    static std::vector<QWidget *> ResolveAll(const std::vector<TControlPath> &paths, QWidget *root);

    // The path of a child of this path's control.
    TControlPath Child(const QString &name, int occurrence) const;

    bool IsEmpty() const { return FSegments.empty(); }
    const std::vector<TSegment> &Segments() const { return FSegments; }
    bool operator==(const TControlPath &) const = default;

    // The designed control or root that holds control.
    static QWidget *DesignParent(QWidget *control, QWidget *root);
    // The control's place among the designed children of its parent.
    static int IndexOf(QWidget *control, QWidget *root);

private:
    std::vector<TSegment> FSegments;
};
