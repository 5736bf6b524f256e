#pragma once

#include "controls/CustomEdit.h"

class TLXEditBox : public TCustomEdit
{
public:
    explicit TLXEditBox(QWidget *parent = nullptr);

    // While AutoSize is on the height follows the font and the bevel.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

protected:
    bool event(QEvent *event) override;
    void BevelChanged() override;

private:
    void AdjustHeight();

    bool FAutoSize = true;
};
