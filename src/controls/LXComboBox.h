#pragma once

#include "controls/LXDesigned.h"

#include <QComboBox>
#include <QPointer>
#include <memory>

class QListView;
class QStyledItemDelegate;
class TStrings;

// An editable combo box; the events of its editor and, in the simple style,
// of its list are routed on its behalf.
class TLXComboBox : public QComboBox, public TLXDesigned
{
public:
    enum TStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

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

    // Style: the drop-down styles keep the height their font gives; the
    // simple style shows an edit with its list always open below it, as high
    // as the box is; the owner-drawn styles show items ItemHeight high.
    int Style() const { return FStyle; }
    void SetStyle(int style);
    bool Simple() const { return FStyle == csSimple; }
    bool OwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);
    // The list below the edit in the simple style, or none.
    QListView *SimpleList() const { return FSimpleList; }

    // AutoDropDown: typing drops the list down.
    bool AutoDropDown() const { return FAutoDropDown; }
    void SetAutoDropDown(bool value) { FAutoDropDown = value; }
    // AutoCloseUp: choosing an item with the keys in the dropped list
    // closes it at once.
    bool AutoCloseUp() const { return FAutoCloseUp; }
    void SetAutoCloseUp(bool value) { FAutoCloseUp = value; }
    // AutoComplete: typed text is completed from the items; otherwise a
    // fixed list finds the next item by its first letter only.
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void initStyleOption(QStyleOptionComboBox *option) const override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void BevelChanged() override;
    void BiDiModeChanged() override;

private:
    // The height of the edit part: the whole box in the drop-down styles.
    int EditHeight() const;
    void LayoutSimple();
    void FitHeightToFont();
    void ApplyCompleter();

    std::unique_ptr<TStrings> FItems;
    bool FSorted = false;
    int FPendingIndex = -1;
    int FStyle = csDropDown;
    int FItemHeight = 16;
    bool FAutoDropDown = false;
    bool FAutoCloseUp = false;
    bool FAutoComplete = true;
    QListView *FSimpleList = nullptr;
    QStyledItemDelegate *FItemDelegate = nullptr;
    QPointer<QAbstractItemDelegate> FListDelegate;
};
