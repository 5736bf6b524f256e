#include "designer/DesignClipboard.h"

#include "controls/AlignLayout.h"
#include "controls/ControlsFactory.h"
#include "controls/DropTarget.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "platform/CodePage.h"

#include <QClipboard>
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
        // Text that does not even try to be a layout changes nothing; a
        // layout that fails to read is reported as an error, and so is one
        // whose texts the code page cannot hold, before anything changes.
        if (!TLayoutSnapshot::IsFragment(text) && text.find("<control") == std::string::npos)
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
    for (QWidget *c : pasted) {
        c->setParent(client);
        InheritDropTargets(c, target);
        if (TLXDesigned *designed = AsDesigned(c))
            designed->ApplyVisibility();
    }
    TAlignLayout::Realign(client);
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
    // Controls that would cover their originals exactly move by a grid step.
    const int step = DesignerHandler ? DesignerHandler->GridStep : 5;
    auto covers = [&before, &pasted] {
        return std::any_of(pasted.begin(), pasted.end(), [&before](QWidget *c) {
            return std::any_of(before.begin(), before.end(), [c](QWidget *other) {
                return other->pos() == c->pos() &&
                       ControlsFactory->GetKindName(other) == ControlsFactory->GetKindName(c);
            });
        });
    };
    for (int tries = 0; tries < 1000 && covers(); ++tries)
        for (QWidget *c : pasted)
            c->move(c->pos() + QPoint(step, step));
    FHistory.Added(verb + TDesignHistory::Subject(pasted), pasted);
    if (FHistory.OnSelect)
        FHistory.OnSelect(pasted);
    return pasted;
}
