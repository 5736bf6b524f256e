#pragma once

#include <QToolBar>

class QAction;

// The main window's tool bar: the common commands with icons. The icons go
// to the commands themselves, so the menus show them as well.
class TMainToolBar : public QToolBar
{
public:
    struct TCommands {
        QAction *New, *Open, *Save, *Undo, *Redo, *Cut, *Copy, *Paste, *Delete, *BringToFront,
            *SendToBack, *Alignment, *Preview, *Html;
    };

    explicit TMainToolBar(const TCommands &commands, QWidget *parent = nullptr);
};
