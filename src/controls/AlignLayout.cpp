#include "controls/AlignLayout.h"

#include "controls/LXDesigned.h"

#include <QEvent>
#include <QGroupBox>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace
{

enum { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

int AligningDepth = 0;

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

TAlignLayout::TAlignLayout(QWidget *parent) : QObject(parent)
{
    parent->installEventFilter(this);
}

void TAlignLayout::Watch(QWidget *parent)
{
    if (!parent)
        return;
    for (QObject *child : parent->children())
        if (dynamic_cast<TAlignLayout *>(child))
            return;
    new TAlignLayout(parent);
}

bool TAlignLayout::Aligning()
{
    return AligningDepth > 0;
}

bool TAlignLayout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::ChildRemoved)
        Realign(static_cast<QWidget *>(watched));
    return false;
}

void TAlignLayout::Realign(QWidget *parent)
{
    if (!parent || Aligning())
        return;
    ++AligningDepth;
    std::vector<TLXDesigned *> aligned[alCustom];
    for (QObject *child : parent->children()) {
        if (!child->isWidgetType())
            continue;
        TLXDesigned *control = AsDesigned(static_cast<QWidget *>(child));
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
