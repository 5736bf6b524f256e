#pragma once

#include "propgrid/RSStringList.h"
#include "reflection/RSTypes.h"

#include <QLineEdit>
#include <functional>
#include <memory>

class TGRegularExpression;
class TPopupListbox;
class TRSCustomItemListEditor;
class TRSItemListView;

// The edit box the grid places over its current cell: a masked line edit
// with an ellipsis or drop-down button, a drop-down list filled from the
// row's pick list and events, and validation by the row's expression.
class TRSInplaceEditList : public QLineEdit
{
    Q_OBJECT
public:
    TRSInplaceEditList(TRSItemListView *view, TRSCustomItemListEditor *grid);
    ~TRSInplaceEditList() override;

    bool ListVisible() const { return FListVisible; }
    bool PickListLoaded() const { return FPickListLoaded; }
    void SetPickListLoaded(bool value) { FPickListLoaded = value; }
    bool Pressed() const { return FPressed; }
    int ButtonWidth() const { return FButtonWidth; }
    int DropDownRowsLimit() const { return FDropDownRowsLimit; }
    void SetDropDownRowsLimit(int value) { FDropDownRowsLimit = value; }
    TRSEditStyle EditStyle() const { return FEditStyle; }
    TPopupListbox *ActiveList() const { return FActiveList; }
    bool Tracking() const { return FTracking; }
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    // The entries the drop-down source gave for this cell.
    TRSStringList &PickItems() { return FPickItems; }
    QRect ButtonRect() const;

    // Run by the button and by Ctrl+Enter; by default the grid's EditButtonClick.
    std::function<void()> EditButtonAction;
    // Fills the entries for a cell; by default the grid's GetPickListItems.
    std::function<void(int ACol, int ARow, TRSStringList *List)> DropDownSource;

    TPopupListbox *GetPickList();
    bool IsValueValid() const;
    void DoDropDownKeys(int &key, Qt::KeyboardModifiers shift);
    void DoEditButtonClick();
    // Back to the text editing began with; answers whether the text changed.
    bool RestoreContents();
    void LoadPickList();
    void CloseUp(bool accept);
    void DoGetPickListItems();
    void DropDown();
    // Loads the current cell: mask, text, style, expression and font.
    void UpdateContents();
    // Programmatic replacement of the whole text, checked by the expression.
    void ReplaceText(const QString &text);
    // The validation step: raises when the text does not match, or holds
    // characters the code page cannot store.
    void ValidateText();
    // A mouse button was released in the list, inside its client area or not.
    void ListMouseUp(bool inside);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void KeyDown(QKeyEvent *event);
    void UpdateMargins();
    void Undo();
    void TextEdited(const QString &text);
    void SetPressed(bool value);
    void StopTracking();
    void ReportToGrid(const QString &text);

    TRSItemListView *FView;
    TRSCustomItemListEditor *FGrid;
    std::unique_ptr<TGRegularExpression> FExpression;
    bool FListVisible = false;
    bool FPickListLoaded = false;
    bool FPressed = false;
    int FButtonWidth = 16;
    int FDropDownRowsLimit = 8;
    TRSEditStyle FEditStyle = esSimple;
    TPopupListbox *FActiveList = nullptr;
    std::unique_ptr<TPopupListbox> FPickList;
    bool FTracking = false;
    bool FModified = false;
    TRSStringList FPickItems;
    // The text editing began with, and the text an invalid value falls back to.
    QString FOriginalText;
    QString FUndoText;
};
