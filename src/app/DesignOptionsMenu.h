#pragma once

class QMenu;
class QWidget;

// The grid and guide entries of Tools > Options. Each change is kept at
// once and the window's designed area is drawn again.
class TDesignOptionsMenu
{
public:
    static void Add(QMenu *options, QWidget *window);
};
