#include "designer/TabOrderMode.h"

#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "platform/ErrorDisplay.h"
#include "reflection/TypInfo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace
{

// The one mode open at a time.
QPointer<TTabOrderMode> Current;

} // namespace

TTabOrderMode::TTabOrderMode(QWidget *container, TDesignHistory &history)
    : QWidget(container), FHistory(history)
{
    setObjectName(QStringLiteral("TabOrderMode"));
    for (QWidget *c : TControlsFactory::DesignedChildren(container))
        FControls.emplace_back(c);
    Renumber();
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(container->rect());
    raise();
    show();
    setFocus(Qt::OtherFocusReason);
}

TTabOrderMode *TTabOrderMode::Start(QWidget *client, TDesignHistory &history)
{
    if (Current)
        Current->Finish();
    QWidget *container = client;
    if (DesignerHandler && !DesignerHandler->Selection().empty())
        container = DesignerHandler->Selection().front()->parentWidget();
    Current = new TTabOrderMode(container, history);
    return Current;
}

std::vector<QWidget *> TTabOrderMode::Assigned() const
{
    std::vector<QWidget *> result;
    for (const QPointer<QWidget> &c : FAssigned)
        if (c)
            result.push_back(c);
    return result;
}

void TTabOrderMode::Finish()
{
    if (FFinished)
        return;
    FFinished = true;
    hide();
    deleteLater();
    const std::vector<QWidget *> assigned = Assigned();
    if (assigned.empty())
        return;
    std::vector<QWidget *> controls;
    for (const QPointer<QWidget> &c : FControls)
        if (c)
            controls.push_back(c);
    // Called from the mode's own key and mouse events: nothing may leave.
    try {
        FHistory.BeginPropertyEdit(controls, QStringLiteral("Tab Order"));
        for (size_t i = 0; i < assigned.size(); ++i)
            TypInfo::SetOrdProp(AsDesigned(assigned[i]), "TabOrder", static_cast<int64_t>(i));
        FHistory.FinishPropertyEdit();
    } catch (const std::exception &error) {
        ErrorDisplay::Show(ErrorDisplay::MessageOf(error));
    }
}

void TTabOrderMode::Renumber()
{
    // A control undone away meanwhile no longer counts.
    FAssigned.erase(std::remove(FAssigned.begin(), FAssigned.end(), nullptr), FAssigned.end());
    std::vector<std::pair<int64_t, size_t>> others;
    FShown.assign(FControls.size(), 0);
    for (size_t i = 0; i < FControls.size(); ++i) {
        QWidget *c = FControls[i];
        if (!c)
            continue;
        const auto at = std::find(FAssigned.begin(), FAssigned.end(), c);
        if (at != FAssigned.end())
            FShown[i] = static_cast<int>(at - FAssigned.begin());
        else
            others.emplace_back(TypInfo::GetOrdProp(AsDesigned(c), "TabOrder"), i);
    }
    std::stable_sort(others.begin(), others.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t k = 0; k < others.size(); ++k)
        FShown[others[k].second] = static_cast<int>(FAssigned.size() + k);
}

QWidget *TTabOrderMode::ControlAt(const QPoint &point) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (*it && (*it)->geometry().contains(point))
            return *it;
    return nullptr;
}

void TTabOrderMode::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(255, 255, 255, 70));
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (size_t i = 0; i < FControls.size(); ++i) {
        QWidget *c = FControls[i];
        if (!c)
            continue;
        const bool assigned = std::find(FAssigned.begin(), FAssigned.end(), c) != FAssigned.end();
        const QString text = QString::number(FShown[i]);
        painter.setPen(QPen(assigned ? QColor(0, 90, 200) : QColor(90, 90, 90), 1));
        painter.drawRect(c->geometry().adjusted(0, 0, -1, -1));
        const QRect badge(c->geometry().topLeft(),
                          QSize(metrics.horizontalAdvance(text) + 8, metrics.height() + 2));
        painter.fillRect(badge, assigned ? QColor(0, 90, 200) : QColor(90, 90, 90));
        painter.setPen(Qt::white);
        painter.drawText(badge, Qt::AlignCenter, text);
    }
}

void TTabOrderMode::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    QWidget *control = ControlAt(event->position().toPoint());
    if (!control || std::find(FAssigned.begin(), FAssigned.end(), control) != FAssigned.end())
        return;
    FAssigned.emplace_back(control);
    Renumber();
    update();
}

void TTabOrderMode::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    if (event->key() == Qt::Key_Escape)
        Finish();
}
