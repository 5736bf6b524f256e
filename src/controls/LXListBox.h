#pragma once

#include "controls/LXDesigned.h"

#include <QListWidget>
#include <memory>

class TStrings;

// A list box; the events of its viewport are routed on its behalf.
class TLXListBox : public QListWidget, public TLXDesigned
{
public:
    enum TStyle {
        lbStandard,
        lbOwnerDrawFixed,
        lbOwnerDrawVariable,
        lbVirtual,
        lbVirtualOwnerDraw
    };

    explicit TLXListBox(QWidget *parent = nullptr);
    ~TLXListBox() override;

    QWidget *Widget() override { return this; }

    // The items, in step with the widget's content.
    TStrings *Items() { return FItems.get(); }

    // Columns above 0: the items run down that many columns side by side,
    // each a share of the width, and further columns scroll in.
    int Columns() const { return FColumns; }
    void SetColumns(int count);
    int ColumnWidth() const;

    // Style: the owner-drawn styles show every item ItemHeight high; the
    // others follow the font.
    int Style() const { return FStyle; }
    void SetStyle(int style);
    bool OwnerDrawn() const;
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);

    // TabWidth: the distance between tab stops in quarters of the average
    // character width; 0 puts them every eight characters.
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int width);
    qreal TabStop() const;

    // ScrollWidth: the width the items can be scrolled across; beyond the
    // client width a horizontal scroll bar shows.
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int width);

    // IntegralHeight: the list is as high as its whole items need, at most
    // the height it was given.
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value);

    // AutoComplete: typed letters find the item that starts with all of
    // them; otherwise each letter finds the next item starting with it.
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool value) { FAutoComplete = value; }

    void keyboardSearch(const QString &search) override;

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void BevelChanged() override;

private:
    void Relayout();
    void FitHeight();

    std::unique_ptr<TStrings> FItems;
    int FColumns = 0;
    int FStyle = lbStandard;
    int FItemHeight = 13;
    int FTabWidth = 0;
    int FScrollWidth = 0;
    bool FIntegralHeight = false;
    bool FAutoComplete = true;
    // The height last given from outside; whole items are fitted into it.
    int FGivenHeight = 0;
    int FFittedHeight = -1;
    bool FFitting = false;
};
