#include "app/EditCommandStates.h"

#include "designer/DesignClipboard.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

TEditCommandStates::TEditCommandStates(std::vector<QAction *> selectionCommands, QAction *paste,
                                       QObject *parent)
    : QObject(parent), FSelectionCommands(std::move(selectionCommands)), FPaste(paste)
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { ClipboardChanged(); });
    SelectionChanged(true);
    ClipboardChanged();
}

void TEditCommandStates::SelectionChanged(bool empty)
{
    for (QAction *action : FSelectionCommands)
        action->setEnabled(!empty);
}

void TEditCommandStates::ClipboardChanged()
{
    FPaste->setEnabled(TDesignClipboard::HoldsControls(QGuiApplication::clipboard()->mimeData()));
}
