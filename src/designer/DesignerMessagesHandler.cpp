#include "designer/DesignerMessagesHandler.h"

#include "controls/Cursors.h"
#include "controls/DropTarget.h"
#include "controls/LXDesigned.h"
#include "designer/DeleteControlEvent.h"
#include "designer/GuideOverlay.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "platform/UnstorableText.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>

TDesignerMessagesHandler *DesignerHandler = nullptr;

namespace
{

// The controls route their events to whichever handler is current.
TDesignRouter *CurrentHandler()
{
    return DesignerHandler;
}

const bool RouterInstalled = (TDesignRouter::Install(CurrentHandler), true);

} // namespace

namespace
{

// The text a typed key, an input method or a drop would put into a control.
QString IncomingText(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste))
            return QGuiApplication::clipboard()->text();
        return key->text();
    }
    case QEvent::InputMethod:
        return static_cast<const QInputMethodEvent *>(event)->commitString();
    case QEvent::Drop: {
        const QMimeData *data = static_cast<const QDropEvent *>(event)->mimeData();
        return data && data->hasText() ? data->text() : QString();
    }
    default:
        return {};
    }
}

// Text the layout's code page cannot hold would be stored changed, so it
// never reaches a control: the user is told once the event is over.
bool RefuseUnstorableText(QWidget *control, QEvent *event)
{
    try {
        CodePage::CheckStorable(IncomingText(event));
        return false;
    } catch (const EUnstorableText &error) {
        const QString message = error.Message();
        QMetaObject::invokeMethod(
            control, [message] { ErrorDisplay::Show(message); }, Qt::QueuedConnection);
        event->accept();
        return true;
    }
}

int CursorOf(QWidget *control)
{
    TLXDesigned *designed = AsDesigned(control);
    return designed ? designed->Cursor() : crDefault;
}

void SetCursorOf(QWidget *control, int cursor)
{
    if (TLXDesigned *designed = AsDesigned(control))
        designed->SetCursor(cursor);
    else
        control->setCursor(CursorShapeOf(cursor));
}

// The mouse position in the control's client coordinates, as signed 16-bit
// values, whichever inner widget received the event.
QPoint ClientPoint(QWidget *control, const QMouseEvent *event)
{
    const QPoint p = control->mapFromGlobal(event->globalPosition().toPoint());
    return {static_cast<qint16>(p.x()), static_cast<qint16>(p.y())};
}

// Repaints a control together with its inner widgets (a list box's viewport,
// a combo box's editor), on which its handles are drawn as well.
void Repaint(QWidget *control)
{
    control->update();
    for (QWidget *inner : InnerWidgetsOf(control))
        inner->update();
}

bool IsLeftPress(const QEvent *event)
{
    const auto type = event->type();
    return (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
           static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
}

// While designing, a designed control never keeps the keyboard: the focus
// a click gave it (or an inner widget of it) goes to the nearest widget
// around the design that takes focus, normally the design surface, so that
// typed keys reach the surface instead of changing the control.
void HandFocusToSurface(QWidget *control)
{
    QWidget *surface = control->parentWidget();
    while (surface && (AsDesigned(surface) || !(surface->focusPolicy() & Qt::ClickFocus)))
        surface = surface->parentWidget();
    if (surface)
        surface->setFocus(Qt::OtherFocusReason);
    else if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
}

} // namespace

TDesignerMessagesHandler::TDesignerMessagesHandler() = default;

TDesignerMessagesHandler::~TDesignerMessagesHandler()
{
    if (DesignerHandler == this)
        DesignerHandler = nullptr;
}

QRect TDesignerMessagesHandler::HandleRect(const QRect &client, int handle) const
{
    const int L = client.left(), T = client.top();
    const int R = L + client.width(), B = T + client.height();
    const int s = HandleSize, h = s / 2;
    const int m = (R - L) / 2 - h, k = (B - T) / 2 - h;
    int left, top;
    switch (handle) {
    case 1:
        left = L;
        top = T;
        break;
    case 2:
        left = m;
        top = T;
        break;
    case 3:
        left = R - s;
        top = T;
        break;
    case 4:
        left = L;
        top = k;
        break;
    case 5:
        left = R - s;
        top = k;
        break;
    case 6:
        left = L;
        top = B - s;
        break;
    case 7:
        left = m;
        top = B - s;
        break;
    case 8:
        left = R - s;
        top = B - s;
        break;
    default:
        return QRect(QPoint(-1, -1), QPoint(-2, -2));
    }
    return QRect(left, top, s, s);
}

int TDesignerMessagesHandler::HandleAt(const QWidget *control, const QPoint &point) const
{
    static constexpr int order[] = {8, 3, 7, 2, 6, 1, 4, 5};
    for (int handle : order)
        if (HandleRect(control->rect(), handle).contains(point))
            return handle;
    return 0;
}

bool TDesignerMessagesHandler::BeforeMessage(QWidget *control, QEvent *event, TControlStatus status,
                                             QWidget *target)
{
    // Typing reaches controls while the designer is off and in a grid
    // being edited; only those that take text (not read-only) refuse it.
    QWidget *receiver = target ? target : control;
    if ((!FEnabled || status == csEdit) && receiver->testAttribute(Qt::WA_InputMethodEnabled) &&
        RefuseUnstorableText(control, event))
        return false;
    if (!FEnabled)
        return true;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (!IsLeftPress(event))
            return true;
        auto *mouse = static_cast<QMouseEvent *>(event);
        const bool shift = mouse->modifiers() & Qt::ShiftModifier;
        if (status != csEdit && StartsBand(control, ClientPoint(control, mouse))) {
            FBand.Press(control, ClientPoint(control, mouse), shift);
            // The container the band is drawn in is not what it selects:
            // it shows no handles of its own.
            if (QWidget *hot = FHot) {
                FHot = nullptr;
                Repaint(hot);
            }
            return false;
        }
        SelectControl(control, shift);
        if (status == csEdit)
            return true;
        if (event->type() == QEvent::MouseButtonDblClick && !shift && OnDoubleClick) {
            OnDoubleClick(control, mouse->globalPosition().toPoint());
            return false;
        }
        FDragStart = ClientPoint(control, mouse);
        FDragHandle = HandleAt(control, FDragStart);
        if (FDragHandle != 0) {
            control->grabMouse();
            BeginResize(control, FDragStart);
        } else {
            FSavedCursor = CursorOf(control);
            SetCursorOf(control, crHandPoint);
            control->grabMouse();
            BeginMove(control, FDragStart);
        }
        return false;
    }
    case QEvent::MouseMove: {
        if (status == csEdit)
            return true;
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint point = ClientPoint(control, mouse);
        if (FBand.Pending()) {
            FBand.Move(point);
            return false;
        }
        // Alt places the selection where the mouse puts it.
        const bool free = mouse->modifiers() & Qt::AltModifier;
        if (!FDragging)
            UpdateHoverCursor(control, point);
        else if (FDragHandle == 0)
            MoveSelection(control, point, free);
        else
            ResizeSelection(control, point, free);
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return true;
        if (FBand.Pending()) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const bool shift = mouse->modifiers() & Qt::ShiftModifier;
            // A click without a drag selects the panel as it always did.
            if (!FBand.Release(ClientPoint(control, mouse)))
                SelectControl(control, shift);
            return false;
        }
        if (status == csEdit || QWidget::mouseGrabber() != control)
            return true;
        control->releaseMouse();
        EndDrag(control);
        if (OnChange)
            OnChange(this);
        return false;
    case QEvent::ContextMenu:
        if (status == csEdit || !PopupMenu)
            return true;
        SelectControl(control, true);
        PopupMenu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return false;
    case QEvent::FocusIn:
        // A string grid being edited keeps the keyboard for its cells.
        if (status == csEdit)
            return true;
        HandFocusToSurface(control);
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
        return status == csEdit;
    case QEvent::Leave:
        SetCursorOf(control, FSavedCursor);
        if (FHot == control)
            FHot = nullptr;
        Repaint(control);
        return true;
    default:
        return true;
    }
}

void TDesignerMessagesHandler::AfterMessage(QWidget *control, QEvent *event, TControlStatus,
                                            QWidget *target)
{
    if (!FEnabled)
        return;
    if (event->type() == QEvent::Paint) {
        // Panels and group boxes show the grid their children snap to.
        // Their borders and a group box's caption stay clear of it.
        if (!target && dynamic_cast<TDropTarget *>(control)) {
            QRect inner = control->contentsRect().adjusted(2, 2, -2, -2);
            if (auto *box = qobject_cast<QGroupBox *>(control))
                inner.setTop(std::max(inner.top(), box->fontMetrics().height()));
            PaintGrid(control, static_cast<QPaintEvent *>(event)->rect().intersected(inner));
        }
        PaintHandles(control, target);
    } else if (event->type() == QEvent::MouseMove && !FBand.Pending())
        SetHot(control);
}

int TDesignerMessagesHandler::Snap(int value) const
{
    const int step = std::max(1, GridStep);
    return value - value % step;
}

void TDesignerMessagesHandler::PaintGrid(QWidget *client, const QRect &area) const
{
    if (!FEnabled || !ShowGrid)
        return;
    // Every grid point, or every few when closer than 4 pixels would grey
    // the area over.
    const int grid = std::max(1, GridStep);
    const int step = grid * ((3 + grid) / grid);
    const QRect r = area.intersected(client->rect());
    auto first = [step](int v) { return v + (step - v % step) % step; };
    QPolygon points;
    for (int y = first(r.top()); y <= r.bottom(); y += step)
        for (int x = first(r.left()); x <= r.right(); x += step)
            points << QPoint(x, y);
    QPainter painter(client);
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawPoints(points);
}

void TDesignerMessagesHandler::SetHot(QWidget *control)
{
    if (FHot == control)
        return;
    if (FHot)
        Repaint(FHot);
    FHot = control;
    Repaint(control);
}

void TDesignerMessagesHandler::PaintHandles(QWidget *control, QWidget *target)
{
    const bool selected = IsSelected(control);
    TLXDesigned *designed = AsDesigned(control);
    const bool hidden = designed && !designed->Visible();
    if (!selected && FHot != control && !hidden)
        return;
    QWidget *surface = target ? target : control;
    QPainter painter(surface);
    if (target)
        painter.translate(-target->mapTo(control, QPoint(0, 0)));
    // A control that is not Visible stays on the surface while designing,
    // hatched so that the user sees it is hidden at run time.
    if (hidden)
        painter.fillRect(control->rect(), QBrush(QColor(96, 96, 96, 110), Qt::BDiagPattern));
    if (selected)
        DrawHandles(painter, control->rect(), SelectedBrush);
    if (FHot == control)
        DrawHandles(painter, control->rect(), HotBrush);
}

void TDesignerMessagesHandler::DrawHandles(QPainter &painter, const QRect &client,
                                           const QColor &brush) const
{
    for (int handle : {1, 3, 6, 8, 2, 7, 4, 5})
        painter.fillRect(HandleRect(client, handle), brush);
}

bool TDesignerMessagesHandler::IsSelected(const QWidget *control) const
{
    return std::find(FSelection.begin(), FSelection.end(), control) != FSelection.end();
}

void TDesignerMessagesHandler::SelectControl(QWidget *control, bool add)
{
    if (!add && !FSelection.empty()) {
        InvalidateSelection();
        for (QWidget *c : FSelection)
            disconnect(c, &QObject::destroyed, this, nullptr);
        FSelection.clear();
    }
    if (IsSelected(control))
        return;
    if (!FSelection.empty() && control->parentWidget() != FSelection.front()->parentWidget())
        return;
    FSelection.push_back(control);
    connect(control, &QObject::destroyed, this, [this](QObject *o) { Forget(o); });
    if (FPositions.size() < FSelection.size())
        FPositions.resize(FSelection.size());
    Repaint(control);
    if (OnSelect)
        OnSelect(this, control, false);
}

void TDesignerMessagesHandler::SelectControls(const std::vector<QWidget *> &controls, bool add)
{
    if (!add && !FSelection.empty()) {
        InvalidateSelection();
        for (QWidget *c : FSelection)
            disconnect(c, &QObject::destroyed, this, nullptr);
        FSelection.clear();
    }
    for (QWidget *control : controls) {
        if (IsSelected(control))
            continue;
        if (!FSelection.empty() && control->parentWidget() != FSelection.front()->parentWidget())
            continue;
        FSelection.push_back(control);
        connect(control, &QObject::destroyed, this, [this](QObject *o) { Forget(o); });
        Repaint(control);
    }
    if (FPositions.size() < FSelection.size())
        FPositions.resize(FSelection.size());
    if (OnSelect)
        OnSelect(this, FSelection.empty() ? nullptr : FSelection.back(), FSelection.empty());
}

bool TDesignerMessagesHandler::StartsBand(QWidget *control, const QPoint &point) const
{
    if (!dynamic_cast<TDropTarget *>(control) || IsSelected(control) ||
        HandleAt(control, point) != 0)
        return false;
    const int margin = 2 * HandleSize;
    QRect inner = control->rect().adjusted(margin, margin, -margin, -margin);
    if (auto *box = qobject_cast<QGroupBox *>(control))
        inner.setTop(std::max(inner.top(), box->fontMetrics().height()));
    return inner.contains(point);
}

void TDesignerMessagesHandler::ClearSelection()
{
    InvalidateSelection();
    for (QWidget *c : FSelection)
        disconnect(c, &QObject::destroyed, this, nullptr);
    FSelection.clear();
    if (OnSelect)
        OnSelect(this, nullptr, true);
}

void TDesignerMessagesHandler::Forget(QObject *control)
{
    FSelection.erase(std::remove(FSelection.begin(), FSelection.end(), control), FSelection.end());
}

void TDesignerMessagesHandler::InvalidateSelection()
{
    for (QWidget *c : FSelection)
        Repaint(c);
}

void TDesignerMessagesHandler::SetEnabled(bool value)
{
    FEnabled = value;
    if (!value)
        ClearSelection();
}

void TDesignerMessagesHandler::DeleteSelected(QObject *mainWindow)
{
    for (QWidget *c : FSelection)
        QCoreApplication::postEvent(mainWindow, new TDeleteControlEvent(c));
}

void TDesignerMessagesHandler::CapturePositions()
{
    for (size_t i = 0; i < FSelection.size(); ++i) {
        const QWidget *c = FSelection[i];
        FPositions[i] = {c->x(), c->y(), c->width(), c->height()};
    }
}

void TDesignerMessagesHandler::BeginMove(QWidget *control, const QPoint &point)
{
    FDragging = true;
    if (OnBeginDrag)
        OnBeginDrag(this);
    SetCursorOf(control, crHandPoint);
    CapturePositions();
    BeginGuides();
    FDragStart = control->mapToGlobal(point);
}

void TDesignerMessagesHandler::BeginResize(QWidget *control, const QPoint &point)
{
    FDragging = true;
    if (OnBeginDrag)
        OnBeginDrag(this);
    CapturePositions();
    BeginGuides();
    FDragStart = control->mapToGlobal(point);
}

QRect TDesignerMessagesHandler::StartBounds(const QPoint &delta) const
{
    QRect bounds;
    for (size_t i = 0; i < FSelection.size(); ++i) {
        const TControlPositionData &p = FPositions[i];
        const QRect r(p.Left, p.Top, p.Width, p.Height);
        bounds = i == 0 ? r : bounds.united(r);
    }
    return bounds.translated(delta);
}

void TDesignerMessagesHandler::BeginGuides()
{
    EndGuides();
    if (!SnapToGuides || FSelection.empty() || !FSelection.front()->parentWidget())
        return;
    QWidget *container = FSelection.front()->parentWidget();
    std::vector<QRect> others;
    for (QObject *child : container->children()) {
        if (!child->isWidgetType())
            continue;
        auto *w = static_cast<QWidget *>(child);
        if (AsDesigned(w) && !IsSelected(w))
            others.push_back(w->geometry());
    }
    FGuides = TGuideIndex(container->rect(), std::move(others));
    // The overlay covers the whole surface; beside the surface's client
    // widget rather than in it, whose extent follows its children.
    QWidget *surface = container;
    while (AsDesigned(surface) && surface->parentWidget())
        surface = surface->parentWidget();
    FOverlay = new TGuideOverlay(surface->parentWidget() ? surface->parentWidget() : surface);
}

void TDesignerMessagesHandler::ShowGuides(int edges)
{
    if (!FOverlay || FSelection.empty())
        return;
    QRect placed;
    for (size_t i = 0; i < FSelection.size(); ++i)
        placed = i == 0 ? FSelection[i]->geometry() : placed.united(FSelection[i]->geometry());
    const QPoint origin =
        FSelection.front()->parentWidget()->mapTo(FOverlay->parentWidget(), QPoint());
    FOverlay->Show(origin, FGuides.LinesAt(placed, edges), FGuides.DistancesOf(placed));
}

void TDesignerMessagesHandler::EndGuides()
{
    delete FOverlay.data();
    FGuides = TGuideIndex();
}

void TDesignerMessagesHandler::MoveSelection(QWidget *control, const QPoint &point, bool free)
{
    QPoint delta = control->mapToGlobal(point) - FDragStart;
    // Guides come before the grid, axis by axis.
    TGuideSnap guided;
    if (!free && FOverlay) {
        guided = FGuides.Snap(StartBounds(delta), TGuideIndex::geAll, GuideReach);
        delta += guided.Offset;
    }
    auto place = [&](int v, bool axisGuided) {
        return free || axisGuided || !SnapToGrid ? v : Snap(v);
    };
    for (size_t i = 0; i < FSelection.size(); ++i) {
        const TControlPositionData &p = FPositions[i];
        FSelection[i]->move(place(p.Left + delta.x(), guided.X),
                            place(p.Top + delta.y(), guided.Y));
    }
    ShowGuides(TGuideIndex::geAll);
}

void TDesignerMessagesHandler::ResizeSelection(QWidget *control, const QPoint &point, bool free)
{
    const QPoint delta = control->mapToGlobal(point) - FDragStart;
    int dx = delta.x(), dy = delta.y();
    // The edges the handle drags, by handle number.
    static constexpr int dragged[] = {0,
                                      TGuideIndex::geLeft | TGuideIndex::geTop,
                                      TGuideIndex::geTop,
                                      TGuideIndex::geRight | TGuideIndex::geTop,
                                      TGuideIndex::geLeft,
                                      TGuideIndex::geRight,
                                      TGuideIndex::geLeft | TGuideIndex::geBottom,
                                      TGuideIndex::geBottom,
                                      TGuideIndex::geRight | TGuideIndex::geBottom};
    const int edges = FDragHandle >= 1 && FDragHandle <= 8 ? dragged[FDragHandle] : 0;
    // The pressed control's dragged edges find the guides; the others follow.
    TGuideSnap guided;
    const auto pressed = std::find(FSelection.begin(), FSelection.end(), control);
    if (!free && FOverlay && pressed != FSelection.end()) {
        const TControlPositionData &p = FPositions[size_t(pressed - FSelection.begin())];
        QRect r(p.Left, p.Top, p.Width, p.Height);
        if (edges & TGuideIndex::geLeft)
            r.setLeft(r.left() + dx);
        if (edges & TGuideIndex::geRight)
            r.setWidth(r.width() + dx);
        if (edges & TGuideIndex::geTop)
            r.setTop(r.top() + dy);
        if (edges & TGuideIndex::geBottom)
            r.setHeight(r.height() + dy);
        guided = FGuides.Snap(r, edges, GuideReach);
        dx += guided.Offset.x();
        dy += guided.Offset.y();
    }
    auto snapX = [&](int v) { return free || guided.X || !SnapToGrid ? v : Snap(v); };
    auto snapY = [&](int v) { return free || guided.Y || !SnapToGrid ? v : Snap(v); };
    for (size_t i = 0; i < FSelection.size(); ++i) {
        QWidget *c = FSelection[i];
        const TControlPositionData &p = FPositions[i];
        // Each assignment takes effect at once; later ones read the new edge.
        auto setLeft = [c](int v) { c->move(v, c->y()); };
        auto setTop = [c](int v) { c->move(c->x(), v); };
        auto setWidth = [c](int v) { c->resize(v, c->height()); };
        auto setHeight = [c](int v) { c->resize(c->width(), v); };
        switch (FDragHandle) {
        case 1:
            setLeft(snapX(p.Left + dx));
            setTop(snapY(p.Top + dy));
            setHeight(snapY(p.Height + p.Top - c->y()));
            setWidth(snapX(p.Width + p.Left - c->x()));
            break;
        case 2:
            setTop(snapY(p.Top + dy));
            setHeight(snapY(p.Height + p.Top - c->y()));
            break;
        case 3:
            setWidth(snapX(p.Width + dx));
            setTop(snapY(p.Top + dy));
            setHeight(snapY(p.Height + p.Top - c->y()));
            break;
        case 4:
            setLeft(snapX(p.Left + dx));
            setWidth(snapX(p.Width + p.Left - c->x()));
            break;
        case 5:
            setWidth(snapX(p.Width + dx));
            break;
        case 6:
            setLeft(snapX(p.Left + dx));
            setHeight(snapY(p.Height + dy));
            setWidth(snapX(p.Width + p.Left - c->x()));
            break;
        case 7:
            setHeight(snapY(p.Height + dy));
            break;
        case 8:
            setWidth(snapX(p.Width + dx));
            setHeight(snapY(p.Height + dy));
            break;
        default:
            break;
        }
    }
    ShowGuides(edges);
}

void TDesignerMessagesHandler::EndDrag(QWidget *control)
{
    FDragging = false;
    FDragHandle = 0;
    EndGuides();
    SetCursorOf(control, FSavedCursor);
}

void TDesignerMessagesHandler::UpdateHoverCursor(QWidget *control, const QPoint &point)
{
    switch (HandleAt(control, point)) {
    case 1:
    case 8:
        SetCursorOf(control, crSizeNWSE);
        break;
    case 2:
    case 7:
        SetCursorOf(control, crSizeNS);
        break;
    case 3:
    case 6:
        SetCursorOf(control, crSizeNESW);
        break;
    case 4:
    case 5:
        SetCursorOf(control, crSizeWE);
        break;
    default:
        SetCursorOf(control, FSavedCursor);
        break;
    }
}
