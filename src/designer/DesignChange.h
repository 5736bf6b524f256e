#pragma once

#include <QWidget>
#include <vector>

// What one step of the design's history changed, as done, undone or redone:
// for those that follow the design without looking at all of it. A change
// that adds, removes or moves controls between containers names none, as
// anything may depend on it.
struct TDesignChange {
    enum TKind {
        // Controls moved, resized or restacked within their container.
        Geometry,
        // Values of the controls changed (their name among them).
        Properties,
        // Controls came, went or changed container.
        Structure,
    };
    TKind Kind = Structure;
    // The controls as they are after the change; none for a structural one.
    std::vector<QWidget *> Controls;
};
