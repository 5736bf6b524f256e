#include "controls/AlignLayout.h"

#include "controls/LXDesigned.h"

#include <QEvent>
#include <QGroupBox>
#include <QHash>
#include <QWidget>
#include <algorithm>

namespace
{

enum { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

int AligningDepth = 0;

// Each watched parent's layout, found without walking the parent's children.
QHash<const QWidget *, TAlignLayout *> &Layouts()
{
    static QHash<const QWidget *, TAlignLayout *> layouts;
    return layouts;
}

// The client area aligned controls share.
QRect ClientAreaOf(QWidget *parent)
{
    QRect area = parent->contentsRect();
    if (qobject_cast<QGroupBox *>(parent))
        area.setTop(area.top() + parent->fontMetrics().height());
    return area;
}

// One side of an anchored control: its position and extent for a parent
// that grew by delta since the control was placed.
void Anchor(bool nearSide, bool farSide, int delta, int &pos, int &extent)
{
    if (nearSide && farSide)
        extent = std::max(0, extent + delta);
    else if (farSide)
        pos += delta;
    else if (!nearSide)
        pos += delta / 2;
}

} // namespace

TAlignLayout::TAlignLayout(QWidget *parent) : QObject(parent), FParent(parent)
{
    Layouts().insert(parent, this);
    parent->installEventFilter(this);
}

TAlignLayout::~TAlignLayout()
{
    Layouts().remove(FParent);
}

TAlignLayout *TAlignLayout::Of(const QWidget *parent)
{
    return Layouts().value(parent);
}

void TAlignLayout::Watch(QWidget *parent)
{
    if (!parent)
        return;
    if (TAlignLayout *layout = Of(parent))
        layout->FPlacedKnown = false;
    else
        new TAlignLayout(parent);
}

bool TAlignLayout::Aligning()
{
    return AligningDepth > 0;
}

bool TAlignLayout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved)
        FPlacedKnown = false;
    if (event->type() == QEvent::Resize || event->type() == QEvent::ChildRemoved)
        Realign(static_cast<QWidget *>(watched));
    return false;
}

namespace
{

bool IsPlaced(const TLXDesigned *control)
{
    const int align = control->Align();
    return (align > alNone && align < alCustom) ||
           (align == alNone && control->Anchors() != (akLeft | akTop));
}

} // namespace

bool TAlignLayout::IsPlaced(const QWidget *control)
{
    const TLXDesigned *designed = AsDesigned(const_cast<QWidget *>(control));
    return designed && ::IsPlaced(designed);
}

bool TAlignLayout::PlacesChildren(const QWidget *parent)
{
    // A parent none of whose children ever was aligned or anchored has no
    // layout.
    TAlignLayout *layout = Of(parent);
    if (!layout)
        return false;
    for (const QPointer<QWidget> &child : layout->Placed())
        if (child && child->parentWidget() == parent && IsPlaced(child))
            return true;
    return false;
}

const std::vector<QPointer<QWidget>> &TAlignLayout::Placed()
{
    if (!FPlacedKnown) {
        FPlaced.clear();
        for (QObject *child : FParent->children()) {
            if (!child->isWidgetType())
                continue;
            const TLXDesigned *control = AsDesigned(static_cast<QWidget *>(child));
            if (control && ::IsPlaced(control))
                FPlaced.emplace_back(static_cast<QWidget *>(child));
        }
        FPlacedKnown = true;
    }
    return FPlaced;
}

void TAlignLayout::Realign(QWidget *parent)
{
    if (!parent || Aligning())
        return;
    std::vector<QWidget *> children;
    if (TAlignLayout *layout = Of(parent)) {
        for (const QPointer<QWidget> &child : layout->Placed())
            if (child)
                children.push_back(child);
    } else {
        for (QObject *child : parent->children())
            if (child->isWidgetType())
                children.push_back(static_cast<QWidget *>(child));
    }
    ++AligningDepth;
    std::vector<TLXDesigned *> aligned[alCustom];
    for (QWidget *child : children) {
        TLXDesigned *control = AsDesigned(child);
        if (!control || control->Widget()->isHidden())
            continue;
        const int align = control->Align();
        if (align > alNone && align < alCustom) {
            aligned[align].push_back(control);
        } else if (align == alNone && control->Anchors() != (akLeft | akTop)) {
            QRect r = control->AnchorOrigin();
            const QSize was = control->AnchorParentSize();
            int x = r.x(), w = r.width(), y = r.y(), h = r.height();
            Anchor(control->Anchors() & akLeft, control->Anchors() & akRight,
                   parent->width() - was.width(), x, w);
            Anchor(control->Anchors() & akTop, control->Anchors() & akBottom,
                   parent->height() - was.height(), y, h);
            control->Widget()->setGeometry(x, y, w, h);
        }
    }
    auto geometry = [](TLXDesigned *c) { return c->Widget()->geometry(); };
    std::stable_sort(aligned[alTop].begin(), aligned[alTop].end(),
                     [&](auto *a, auto *b) { return geometry(a).top() < geometry(b).top(); });
    std::stable_sort(aligned[alBottom].begin(), aligned[alBottom].end(),
                     [&](auto *a, auto *b) { return geometry(a).bottom() > geometry(b).bottom(); });
    std::stable_sort(aligned[alLeft].begin(), aligned[alLeft].end(),
                     [&](auto *a, auto *b) { return geometry(a).left() < geometry(b).left(); });
    std::stable_sort(aligned[alRight].begin(), aligned[alRight].end(),
                     [&](auto *a, auto *b) { return geometry(a).right() > geometry(b).right(); });

    QRect area = ClientAreaOf(parent);
    for (TLXDesigned *c : aligned[alTop]) {
        const int h = c->Widget()->height();
        c->Widget()->setGeometry(area.left(), area.top(), area.width(), h);
        area.setTop(area.top() + c->Widget()->height());
    }
    for (TLXDesigned *c : aligned[alBottom]) {
        const int h = c->Widget()->height();
        c->Widget()->setGeometry(area.left(), area.bottom() + 1 - h, area.width(), h);
        area.setBottom(area.bottom() - c->Widget()->height());
    }
    for (TLXDesigned *c : aligned[alLeft]) {
        const int w = c->Widget()->width();
        c->Widget()->setGeometry(area.left(), area.top(), w, area.height());
        area.setLeft(area.left() + c->Widget()->width());
    }
    for (TLXDesigned *c : aligned[alRight]) {
        const int w = c->Widget()->width();
        c->Widget()->setGeometry(area.right() + 1 - w, area.top(), w, area.height());
        area.setRight(area.right() - c->Widget()->width());
    }
    for (TLXDesigned *c : aligned[alClient])
        c->Widget()->setGeometry(area);
    --AligningDepth;
}
