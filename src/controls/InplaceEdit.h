#pragma once

#include "controls/CustomEdit.h"

// A string grid's cell editor. Inside a grid its events are routed on the
// grid's behalf; on its own it is designed like any other control.
class TInplaceEdit : public TCustomEdit
{
public:
    explicit TInplaceEdit(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;

private:
    TLXDesigned *FGrid = nullptr;
};
