#pragma once

#include "controls/LXDesigned.h"

#include <QComboBox>
#include <memory>

class TStrings;

// An editable combo box; the events of its editor are routed on its behalf.
class TLXComboBox : public QComboBox, public TLXDesigned
{
public:
    explicit TLXComboBox(QWidget *parent = nullptr);
    ~TLXComboBox() override;

    QWidget *Widget() override { return this; }

    // The items, in step with the widget's content.
    TStrings *Items() { return FItems.get(); }
    QString Text() const override { return currentText(); }
    void SetText(const QString &text) override;

    // While Sorted is on the items are kept in alphabetical order.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);

    // Editable or a fixed list; a new editor is routed like the old one.
    void SetEditable(bool editable);

    // Chooses an item; an index beyond the items chooses none and waits for
    // the next items, since a layout sets the index before the items.
    void SetItemIndex(int index);

protected:
    bool event(QEvent *event) override;

private:
    std::unique_ptr<TStrings> FItems;
    bool FSorted = false;
    int FPendingIndex = -1;
};
