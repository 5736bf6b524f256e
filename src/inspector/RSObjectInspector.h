#pragma once

#include "propgrid/RSItemListView.h"

class TPersistent;
class TRSCustomObjectInspector;

// The object inspector window: the property grid view over an inspector
// bound to the inspected objects.
class TRSObjectInspector : public TRSItemListView
{
public:
    explicit TRSObjectInspector(QWidget *parent = nullptr);

    TRSCustomObjectInspector *Inspector() const;

    // Shortcuts for the main window and the persistence walk.
    TPersistent *Component() const;
    void SetComponent(TPersistent *component);
    void Rebuild();
};
