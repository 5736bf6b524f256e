#include "app/StressPreview.h"

#include "app/ProblemsDock.h"
#include "checks/LayoutChecker.h"
#include "checks/StressedCopy.h"
#include "controls/LXDesigned.h"
#include "crash/Command.h"
#include "designer/LXControlsContainer.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

namespace
{

void CollectClipped(QWidget *parent, const TTextStress &stress,
                    std::vector<TStressPreview::TMark> &marks)
{
    for (QWidget *control : TLayoutChecker::DesignedChildren(parent)) {
        if (AsDesigned(control)->Visible())
            if (const auto clip = TTextRoom::Clipped(control, stress))
                marks.push_back({control, *clip});
        CollectClipped(control, stress, marks);
    }
}

} // namespace

TStressPreview::TStressPreview(TLXControlsContainer *surface, TProblemsDock *dock)
    : QWidget(surface), FSurface(surface), FDock(dock)
{
    setObjectName(QStringLiteral("StressPreview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
    // A sibling over the surface's viewport, not a child of it, where every
    // new child is taken for a new design; it follows the surface as it
    // scrolls and resizes.
    surface->viewport()->installEventFilter(this);
    for (QScrollBar *bar : {surface->horizontalScrollBar(), surface->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

TStressPreview::~TStressPreview() = default;

void TStressPreview::AddSwitches(QMenu *menu)
{
    auto *group = new QActionGroup(menu);
    for (const int percent : {100, 125, 150, 200}) {
        QAction *action =
            menu->addAction(percent == 100 ? QStringLiteral("Off")
                                           : QStringLiteral("%1 % text, 40 % longer").arg(percent));
        action->setObjectName(QStringLiteral("Stress%1").arg(percent));
        action->setCheckable(true);
        action->setChecked(percent == FPercent);
        group->addAction(action);
        Command::Connect(action, &QAction::triggered, this,
                         [this, percent] { SetPercent(percent); });
    }
}

void TStressPreview::SetPercent(int percent)
{
    FPercent = percent;
    const TTextStress stress = percent == 100 ? TTextStress() : TTextStress(percent, true);
    // The whole check this starts shows the preview (see Follow).
    FDock->SetStress(stress);
}

void TStressPreview::Refresh()
{
    FClips.clear();
    FCopy.reset();
    if (FPercent != 100)
        FCopy = std::make_unique<TStressedCopy>(FSurface, TTextStress(FPercent, true));
    Mark();
}

void TStressPreview::Follow(const std::vector<QWidget *> *changed)
{
    if (FPercent == 100 || !FCopy || !changed || !FCopy->Update(*changed)) {
        Refresh();
        return;
    }
    std::vector<QWidget *> touched(changed->begin(), changed->end());
    while (!touched.empty()) {
        QWidget *control = touched.back();
        touched.pop_back();
        FClips.erase(control);
        for (QWidget *child : TLayoutChecker::DesignedChildren(control))
            touched.push_back(child);
    }
    Mark();
}

void TStressPreview::Mark()
{
    FMarks.clear();
    if (FPercent != 100) {
        const TTextStress stress(FPercent, true);
        // The dock has found them already, when it checks texts.
        if (FDock->Checks().contains(CheckId::ClippedText)) {
            for (const TLayoutProblem &problem : FDock->Problems()) {
                if (problem.Check != CheckId::ClippedText || !problem.Control)
                    continue;
                auto known = FClips.find(problem.Control);
                if (known == FClips.end())
                    if (const auto clip = TTextRoom::Clipped(problem.Control, stress))
                        known = FClips.emplace(problem.Control, *clip).first;
                if (known != FClips.end())
                    FMarks.push_back({problem.Control, known->second});
            }
        } else {
            CollectClipped(FSurface->ClientWidget(), stress, FMarks);
        }
    }
    setVisible(FPercent != 100);
    if (!isHidden()) {
        setGeometry(FSurface->viewport()->geometry());
        raise();
    }
    update();
}

bool TStressPreview::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) && !isHidden())
        setGeometry(FSurface->viewport()->geometry());
    return QWidget::eventFilter(watched, event);
}

void TStressPreview::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (FCopy) {
        // The copy stands where the design does, scrolled as far.
        QWidget *client = FSurface->widget();
        QWidget *copy = FCopy->Client();
        if (copy->size() != client->size())
            copy->resize(client->size());
        // Rendered apart: drawn straight into this painter, the copy would
        // land where the painter's own widget stands in the window.
        const QRect area = event->rect();
        QPixmap shot(area.size() * devicePixelRatioF());
        shot.setDevicePixelRatio(devicePixelRatioF());
        shot.fill(palette().window().color());
        copy->render(&shot, QPoint(), QRegion(area.translated(-client->pos())));
        painter.drawPixmap(area.topLeft(), shot);
    }
    const QColor red(0xd0, 0x00, 0x00);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    for (const TMark &mark : FMarks) {
        if (!mark.Control)
            continue;
        const QRect area(mark.Control->mapTo(FSurface->viewport(), QPoint(0, 0)),
                         mark.Control->size());
        // The tag below may reach as far down as the control is high again.
        if (!event->rect().intersects(area.adjusted(0, 0, 200, area.height() + 40)))
            continue;
        painter.setPen(QPen(red, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(1, 1, -1, -1));
        // What the text would need, just below the control.
        const QString note = QStringLiteral("%1 px%2 needed")
                                 .arg(mark.Clip.Needs)
                                 .arg(mark.Clip.Height ? QStringLiteral(" high") : QString());
        const QRect tag = painter.fontMetrics().boundingRect(note).adjusted(-3, -1, 3, 1);
        const QRect at(area.left(), area.bottom() + 2, tag.width(), tag.height());
        painter.fillRect(at, red);
        painter.setPen(Qt::white);
        painter.drawText(at, Qt::AlignCenter, note);
    }
}

void TStressPreview::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    QWidget *client = FSurface->widget();
    QWidget *hit = client->childAt(event->position().toPoint() - client->pos());
    while (hit && !AsDesigned(hit))
        hit = hit->parentWidget();
    if (hit && FDock->OnSelectControl)
        Command::Run([this, hit] { FDock->OnSelectControl(hit); });
}

void TStressPreview::wheelEvent(QWheelEvent *event)
{
    // The surface scrolls as it would under the mouse.
    QCoreApplication::sendEvent(FSurface->viewport(), event);
}
