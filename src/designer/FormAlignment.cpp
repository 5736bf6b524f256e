#include "designer/FormAlignment.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace
{

QButtonGroup *RadioGroup(QWidget *dialog, QBoxLayout *into, const QString &caption,
                         const QStringList &items)
{
    auto *box = new QGroupBox(caption, dialog);
    auto *layout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    group->button(0)->setChecked(true);
    into->addWidget(box);
    return group;
}

} // namespace

TAlignmentForm::TAlignmentForm(QWidget *owner, const std::vector<QWidget *> &controls)
    : QDialog(owner), FControls(controls)
{
    setWindowTitle(QStringLiteral("Alignment"));
    setFixedSize(399, 152);
    auto *layout = new QHBoxLayout(this);
    FHorizontal = RadioGroup(this, layout, QStringLiteral("Horizontal"),
                             {"No change", "Left sides", "Centers", "Right sides"});
    FVertical = RadioGroup(this, layout, QStringLiteral("Vertical"),
                           {"No change", "Tops", "Centers", "Bottoms"});
    auto *buttons = new QVBoxLayout;
    FOk = new QPushButton(QStringLiteral("Ok"), this);
    FOk->setDefault(true);
    FOk->setEnabled(!FControls.empty());
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    buttons->addWidget(FOk);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(FOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int TAlignmentForm::EdgeValue(const QWidget *c, TEdge edge)
{
    switch (edge) {
    case Left:
        return c->x();
    case Right:
        return c->x() + c->width();
    case Top:
        return c->y();
    case Bottom:
        return c->y() + c->height();
    case HorizontalCentre:
        return c->x() + c->width() / 2;
    case VerticalCentre:
        return c->y() + c->height() / 2;
    }
    return 0;
}

void TAlignmentForm::PlaceEdge(QWidget *c, TEdge edge, int v)
{
    switch (edge) {
    case Left:
        c->move(v, c->y());
        break;
    case Right:
        c->move(v - c->width(), c->y());
        break;
    case Top:
        c->move(c->x(), v);
        break;
    case Bottom:
        c->move(c->x(), v - c->height());
        break;
    case HorizontalCentre:
        c->move(v - c->width() / 2, c->y());
        break;
    case VerticalCentre:
        c->move(c->x(), v - c->height() / 2);
        break;
    }
}

int TAlignmentForm::ReferenceValue(TEdge edge) const
{
    int r = EdgeValue(FControls.front(), edge);
    // Centres line up on the first selected control's centre.
    if (edge == HorizontalCentre || edge == VerticalCentre)
        return r;
    for (const QWidget *c : FControls) {
        const int v = EdgeValue(c, edge);
        r = (edge == Left || edge == Top) ? std::min(r, v) : std::max(r, v);
    }
    return r;
}

int TAlignmentForm::Horizontal() const
{
    return FHorizontal->checkedId();
}

void TAlignmentForm::SetHorizontal(int item)
{
    FHorizontal->button(item)->setChecked(true);
}

int TAlignmentForm::Vertical() const
{
    return FVertical->checkedId();
}

void TAlignmentForm::SetVertical(int item)
{
    FVertical->button(item)->setChecked(true);
}

void TAlignmentForm::ApplyAlignment()
{
    const int h = Horizontal(), v = Vertical();
    if ((h == 0 && v == 0) || FControls.empty())
        return;
    static constexpr TEdge horizontalEdges[] = {Left, Left, HorizontalCentre, Right};
    static constexpr TEdge verticalEdges[] = {Top, Top, VerticalCentre, Bottom};
    const TEdge he = horizontalEdges[h], ve = verticalEdges[v];
    // Both references are taken before anything moves.
    const int href = h ? ReferenceValue(he) : 0;
    const int vref = v ? ReferenceValue(ve) : 0;
    for (QWidget *c : FControls) {
        if (h)
            PlaceEdge(c, he, href);
        if (v)
            PlaceEdge(c, ve, vref);
    }
}

void TAlignmentForm::btnOkClick()
{
    ApplyAlignment();
    accept();
}

bool ShowAlignmentDialog(QWidget *owner, const std::vector<QWidget *> &controls)
{
    TAlignmentForm dialog(owner, controls);
    return dialog.exec() == QDialog::Accepted;
}
