#pragma once

#include "propgrid/RSGridCore.h"
#include "propgrid/RSItemListEditor.h"

#include <QAbstractScrollArea>
#include <exception>
#include <functional>
#include <memory>

class QPainter;
class TRSHintWindow;
class TRSInplaceEditList;

// The window of the property grid: paints the cells of its grid, turns mouse
// and keys into the grid's input operations, hosts the in-place editor and
// shows item hints. A descendant grid is handed over at construction, e.g.
// new TRSItemListView(parent, std::make_unique<TMyGrid>()); the view then
// runs the grid's Init, so the descendant's CreateItems makes the rows.
class TRSItemListView : public QAbstractScrollArea, public TRSGridHost
{
    Q_OBJECT
public:
    // Without a grid the view makes a plain TRSItemListEditor; it owns it.
    explicit TRSItemListView(QWidget *parent = nullptr,
                             std::unique_ptr<TRSCustomItemListEditor> grid = nullptr);
    ~TRSItemListView() override;

    TRSCustomItemListEditor *Grid() const { return FGrid.get(); }
    TRSInplaceEditList *Editor() const { return FEditor; }
    TRSHintWindow *HintWindow() const { return FHintWindow; }
    QRect CellRect(int col, int row) const;
    static QFont ToQFont(const TRSFont &font);

    // Runs after the default drawing of every cell.
    std::function<void(QPainter *, int ACol, int ARow, const QRect &)> OnDrawCell;
    // A double-click handler of the grid; set it to have double clicks on
    // the editor reach the grid instead of cycling pick lists.
    std::function<void()> OnDblClick;

    // Errors from input end here; the default shows a message box.
    static void SetErrorHandler(std::function<void(const std::exception &)> handler);
    static std::function<void(const std::exception &)> ErrorHandler();
    static void ReportError(const std::exception &error);

    // Runs an input action and reports what it raises.
    template <class F> void Guard(F &&action)
    {
        try {
            action();
        } catch (const std::exception &e) {
            ReportError(e);
        }
    }
    void GridKeyDown(int &key, Qt::KeyboardModifiers shift);
    // The keyboard focus has left the grid and its editor.
    void FocusLeft();
    // Notes the row the editor's line shows, after loading or reporting text.
    void RememberEditorItem();

    // TRSGridHost
    void InvalidateGrid() override;
    void InvalidateCell(int col, int row) override;
    void LayoutChanged() override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    bool IsShowing() const override;
    bool HasFocus() const override;
    bool IsRightToLeft() const override;
    void SetGridFocus() override;
    void CurrentMoved() override;
    bool EditorExists() const override;
    bool EditorVisible() const override;
    void ShowEditor() override;
    void HideEditor() override;
    void UpdateEditor() override;
    bool EditorModified() const override;
    void ValidateEditor() override;
    void SetEditorModified(bool value) override;
    bool RestoreEditor() override;
    void SelectEditorText() override;
    void SetEditorPickListLoaded(bool value) override;
    void SetEditorDropDownRows(int value) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void CreateEditor();
    void PlaceEditor();
    void UpdateScrollBars();
    void PaintCell(QPainter &painter, int col, int row, bool focused);
    void UpdateHint(const QPoint &pos);

    std::unique_ptr<TRSCustomItemListEditor> FGrid;
    TRSInplaceEditList *FEditor = nullptr;
    TRSHintWindow *FHintWindow = nullptr;
    bool FEditorCellLoaded = false;
    int FEditorCol = -1;
    int FEditorRow = -1;
    const TRSItemProp *FEditorItem = nullptr;
    bool FUpdatingScrollBars = false;
    bool FForwardingKey = false;
};
