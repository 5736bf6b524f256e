#pragma once

#include "reflection/Persistent.h"

class QWidget;

// The Constraints of a designed control: its least and greatest size, 0
// meaning no limit. Applied at once as the widget's minimum and maximum
// size, which also brings the current size within them.
class TSizeConstraints : public TPersistent
{
public:
    explicit TSizeConstraints(QWidget *control = nullptr) : FControl(control) {}

    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value);

    void Assign(const TSizeConstraints &other);

private:
    void Apply();

    QWidget *FControl;
    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;
};
