#include "designer/DesignClipboard.h"

#include "controls/AlignLayout.h"
#include "controls/ControlsFactory.h"
#include "controls/DropTarget.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "platform/CodePage.h"
#include "reflection/TypInfo.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMimeData>
#include <QWidget>
#include <algorithm>

namespace
{

// Panels and group boxes read apart take the drop handling of the target
// they joined, and pass it on to those inside them.
void InheritDropTargets(QWidget *control, QWidget *parent)
{
    TControlsFactory::InheritDropTarget(control, parent);
    for (QWidget *child : TControlsFactory::DesignedChildren(control))
        InheritDropTargets(child, control);
}

// The part of a panel or group box where its controls are seen.
QRect VisibleArea(QWidget *client)
{
    QRect area = client->contentsRect();
    if (auto *box = qobject_cast<QGroupBox *>(client))
        area.setTop(std::max(area.top(), box->fontMetrics().height()));
    return area;
}

QRect Bounds(const std::vector<QWidget *> &controls)
{
    QRect bounds;
    for (QWidget *c : controls)
        bounds |= c->geometry();
    return bounds;
}

void MoveBy(const std::vector<QWidget *> &controls, const QPoint &offset)
{
    if (offset.isNull())
        return;
    for (QWidget *c : controls)
        c->move(c->pos() + offset);
}

// The offset that brings the bounds inside the area, their top left first
// where they are larger.
QPoint OffsetInto(const QRect &bounds, const QRect &area)
{
    const auto along = [](int low, int high, int areaLow, int areaHigh) {
        int delta = 0;
        if (high > areaHigh)
            delta = areaHigh - high;
        if (low + delta < areaLow)
            delta = areaLow - low;
        return delta;
    };
    return {along(bounds.left(), bounds.right(), area.left(), area.right()),
            along(bounds.top(), bounds.bottom(), area.top(), area.bottom())};
}

bool HasTabOrder(QWidget *control)
{
    TLXDesigned *designed = AsDesigned(control);
    return designed && TypInfo::IsPublishedProperty(designed, "TabOrder");
}

// New controls take the tab places after the last one of their container,
// in the order they had among themselves. They are given them before they
// join it, so that the places of the others stay as they are.
void TakeNextTabPlaces(const std::vector<QWidget *> &controls, const QList<QWidget *> &others)
{
    int64_t next = 0;
    for (QWidget *c : others)
        if (HasTabOrder(c))
            next = std::max(next, TypInfo::GetOrdProp(AsDesigned(c), "TabOrder") + 1);
    std::vector<std::pair<int64_t, TLXDesigned *>> order;
    for (QWidget *c : controls)
        if (HasTabOrder(c))
            order.emplace_back(TypInfo::GetOrdProp(AsDesigned(c), "TabOrder"), AsDesigned(c));
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &entry : order)
        entry.second->SetStoredValue("TabOrder", next++);
}

} // namespace

const QString TDesignClipboard::MimeType = QStringLiteral("application/x-formdesigner-layout");

TDesignClipboard::TDesignClipboard(TDesignHistory &history) : FHistory(history) {}

QMimeData *TDesignClipboard::MimeDataFor(const std::vector<QWidget *> &controls)
{
    const std::string text = FHistory.Snapshot().WriteFragment(controls);
    auto *data = new QMimeData;
    data->setData(MimeType, QByteArray::fromStdString(text));
    data->setText(CodePage::ToQString(text));
    return data;
}

void TDesignClipboard::Copy(const std::vector<QWidget *> &controls)
{
    if (controls.empty())
        return;
    QGuiApplication::clipboard()->setMimeData(MimeDataFor(controls));
}

void TDesignClipboard::Cut(const std::vector<QWidget *> &controls)
{
    if (controls.empty())
        return;
    Copy(controls);
    FHistory.Remove(QStringLiteral("Cut ") + TDesignHistory::Subject(controls), controls);
}

void TDesignClipboard::Delete(const std::vector<QWidget *> &controls)
{
    FHistory.Remove(QStringLiteral("Delete ") + TDesignHistory::Subject(controls), controls);
}

QWidget *TDesignClipboard::PasteTarget(const std::vector<QWidget *> &selection) const
{
    QWidget *root = FHistory.Root();
    if (selection.size() == 1 && dynamic_cast<TDropTarget *>(selection.front()))
        return selection.front();
    if (!selection.empty())
        if (QWidget *parent = TControlPath::DesignParent(selection.front(), root))
            return parent;
    return root;
}

bool TDesignClipboard::HoldsControls(const QMimeData *data)
{
    if (!data)
        return false;
    if (data->hasFormat(MimeType))
        return true;
    if (!data->hasText())
        return false;
    const QString text = data->text();
    return text.contains(QStringLiteral("<control")) &&
           TLayoutSnapshot::IsFragment(CodePage::FromQString(text));
}

std::vector<QWidget *> TDesignClipboard::Paste(const std::vector<QWidget *> &selection,
                                               const QMimeData *data)
{
    if (!data)
        data = QGuiApplication::clipboard()->mimeData();
    std::string text;
    if (data && data->hasFormat(MimeType)) {
        text = data->data(MimeType).toStdString();
    } else if (data && data->hasText()) {
        text = CodePage::FromQString(data->text());
        // Text that is not a well-formed layout holding controls changes
        // nothing, whatever it resembles; a layout whose values fail to read
        // is reported as an error, and so is one whose texts the code page
        // cannot hold, before anything changes.
        if (!TLayoutSnapshot::IsFragment(text))
            text.clear();
        else
            CodePage::CheckStorable(data->text());
    }
    std::vector<QWidget *> pasted;
    if (!text.empty())
        pasted = Insert(text, PasteTarget(selection), QStringLiteral("Paste "));
    if (pasted.empty() && OnStatus)
        OnStatus(QStringLiteral("The clipboard holds no controls to paste"));
    return pasted;
}

std::vector<QWidget *> TDesignClipboard::Duplicate(const std::vector<QWidget *> &controls)
{
    if (controls.empty())
        return {};
    QWidget *parent = TControlPath::DesignParent(controls.front(), FHistory.Root());
    return Insert(FHistory.Snapshot().WriteFragment(controls), parent,
                  QStringLiteral("Duplicate "));
}

std::vector<QWidget *> TDesignClipboard::Insert(const std::string &text, QWidget *target,
                                                const QString &verb)
{
    const QList<QWidget *> before = TControlsFactory::DesignedChildren(target);
    // The controls are read apart from the design, since their names may
    // be taken there, and join the target once they all could be read.
    QWidget holder;
    const QList<QWidget *> created = FHistory.Snapshot().ReadFragment(text, &holder);
    std::vector<QWidget *> pasted(created.begin(), created.end());
    if (pasted.empty())
        return pasted;
    QWidget *client = TControlsFactory::ClientOf(target);
    TakeNextTabPlaces(pasted, before);
    for (QWidget *c : pasted) {
        c->setParent(client);
        InheritDropTargets(c, target);
        if (TLXDesigned *designed = AsDesigned(c))
            designed->ApplyVisibility();
    }
    // A name already taken among the target's controls gives way to a new
    // one, as a drop would name it.
    for (QWidget *c : pasted) {
        const bool taken = std::any_of(before.begin(), before.end(), [c](QWidget *other) {
            return other->objectName() == c->objectName();
        });
        const bool twice = std::count_if(pasted.begin(), pasted.end(), [c](QWidget *other) {
                               return other->objectName() == c->objectName();
                           }) > 1;
        if ((taken || twice) && NewControlName)
            if (TLXDesigned *designed = AsDesigned(c))
                designed->SetName(NewControlName(target));
    }
    // In a panel or group box the controls land where they are seen,
    // arranged as they were among themselves.
    const bool bounded = target != FHistory.Root();
    const QRect area = VisibleArea(client);
    if (bounded)
        MoveBy(pasted, OffsetInto(Bounds(pasted), area));
    // Controls that would cover others of their kind exactly move on by
    // grid steps, in the direction that keeps them in view.
    const int step = DesignerHandler ? DesignerHandler->GridStep : 5;
    auto covers = [&before, &pasted] {
        return std::any_of(pasted.begin(), pasted.end(), [&before](QWidget *c) {
            return std::any_of(before.begin(), before.end(), [c](QWidget *other) {
                return other->pos() == c->pos() &&
                       ControlsFactory->GetKindName(other) == ControlsFactory->GetKindName(c);
            });
        });
    };
    const QRect home = Bounds(pasted);
    const bool fits = area.width() >= home.width() && area.height() >= home.height();
    const std::vector<QPoint> directions =
        bounded ? std::vector<QPoint>{{1, 1}, {-1, 1}, {1, -1}, {-1, -1}}
                : std::vector<QPoint>{{1, 1}};
    for (int k = 1; k <= 1000 && covers(); ++k)
        for (const QPoint &direction : directions) {
            const QPoint offset = direction * k * step;
            if (bounded && fits && !area.contains(home.translated(offset)))
                continue;
            MoveBy(pasted, home.topLeft() + offset - Bounds(pasted).topLeft());
            if (!covers())
                break;
        }
    TAlignLayout::Realign(client);
    FHistory.Added(verb + TDesignHistory::Subject(pasted), pasted);
    if (FHistory.OnSelect)
        FHistory.OnSelect(pasted);
    return pasted;
}
