#pragma once

#include <QObject>
#include <vector>

class QAction;

// Enables the commands that act on the selection only while something is
// selected, and Paste only while the clipboard holds controls.
class TEditCommandStates : public QObject
{
public:
    TEditCommandStates(std::vector<QAction *> selectionCommands, QAction *paste, QObject *parent);

    void SelectionChanged(bool empty);

private:
    void ClipboardChanged();

    std::vector<QAction *> FSelectionCommands;
    QAction *FPaste;
};
