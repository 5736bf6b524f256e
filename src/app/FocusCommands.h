#pragma once

#include <QKeySequence>
#include <QObject>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

// The View menu's commands that move the keyboard to a part of the window
// (palette, surface, component tree, inspector), so that each part is
// reached without a mouse and the menu shows how.
class TFocusCommands : public QObject
{
public:
    struct TTarget {
        QString Caption;
        QKeySequence Key;
        // The widget to take the keyboard; asked each time, as the palette's
        // page or the filter's list may have changed.
        std::function<QWidget *()> Widget;
    };

    TFocusCommands(QMenu *view, const std::vector<TTarget> &targets);

    const std::vector<QAction *> &Actions() const { return FActions; }

    // Gives the keyboard to a shown widget; a hidden one (the designer
    // switched off) is told, not silently ignored.
    static void Focus(QWidget *widget, const QString &caption);

private:
    std::vector<QAction *> FActions;
};
