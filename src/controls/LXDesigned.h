#pragma once

#include "controls/Bevel.h"
#include "controls/ControlStatus.h"
#include "controls/DesignRouter.h"
#include "reflection/Persistent.h"

#include <QEvent>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QDrag;
class QWidget;
class TFont;
class TSizeConstraints;
class TStrings;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// What every designed control kind adds to its widget: the owned Comment
// lines, the hidden window text, the caption-follows-name rule and the
// routing of every event through the design-time router.
class TLXDesigned : public TPersistent
{
public:
    TLXDesigned();
    ~TLXDesigned() override;

    bool IsComponent() const override { return true; }
    std::string ComponentName() const override;
    // Rises with every control made: the order in which the controls came
    // to their owners, which bringing to front or sending to back keeps.
    uint64_t CreationNumber() const { return FCreationNumber; }

    virtual QWidget *Widget() = 0;

    QStringList Comment() const;
    // Copies the lines; the control never keeps the caller's list.
    void SetComment(const QStringList &lines);
    TStrings *CommentStrings() { return FComment.get(); }

    // The owned sub-objects, made on first use and freed with the control.
    TFont *Font();
    TSizeConstraints *Constraints();

    // While a control's properties are read, its font and palette reach the
    // widget once, at the end (see TFont), and taking them does not resize
    // an auto-sized control: the geometry read with them stands.
    class TUpdate
    {
    public:
        explicit TUpdate(TLXDesigned *control);
        ~TUpdate();
        TUpdate(const TUpdate &) = delete;
        TUpdate &operator=(const TUpdate &) = delete;

    private:
        TLXDesigned *FControl;
    };
    bool Updating() const { return FUpdating > 0; }

    // ParentFont: the control shows its parent's font until a font
    // attribute is set; setting it true takes the parent's font again.
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    // Color: the background colour value. With ParentColor the control
    // shows its parent's colour; setting a colour clears ParentColor.
    int32_t Color() const;
    void SetColor(int32_t color);
    bool ParentColor() const;
    void SetParentColor(bool value);
    // The colour a control of this kind has of its own.
    virtual int32_t DefaultColor() const;

    // Hint, ShowHint and ParentShowHint: the hint shows as the tool tip
    // while hints are shown.
    std::string Hint() const { return FHint; }
    void SetHint(const std::string &hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);

    // Align and Anchors: how the control is placed when its parent resizes
    // (see TAlignLayout). The anchor origin is the control's geometry and
    // its parent's size when the user last placed it.
    int Align() const { return FAlign; }
    void SetAlign(int align);
    uint32_t Anchors() const { return FAnchors; }
    void SetAnchors(uint32_t anchors);
    QRect AnchorOrigin() const { return FAnchorOrigin; }
    QSize AnchorParentSize() const { return FAnchorParentSize; }

    // Property values without a counterpart in the widget, kept so that
    // they read back as written; a value never written reads as the given
    // default.
    int64_t StoredValue(const std::string &key, int64_t def) const;
    void SetStoredValue(const std::string &key, int64_t value) { FValues[key] = value; }
    std::string StoredText(const std::string &key) const;
    void SetStoredText(const std::string &key, const std::string &value) { FTexts[key] = value; }

    virtual TControlStatus ControlStatus() const { return csDefault; }

    // The bevel of the edit-like kinds; the kinds that show it take its
    // room and draw it.
    const TBevel &Bevel() const { return FBevel; }
    void SetBevel(const TBevel &bevel);

    // The Visible property. While designing, a control that is not visible
    // stays on the surface (marked by the handler) so that it can still be
    // selected; it is hidden when the designer is off.
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // The event a control's widget receives when its Visible changed.
    static QEvent::Type VisibleChange();
    // Shows or hides the widget after Visible and the designer's state.
    void ApplyVisibility();

    // BiDiMode and ParentBiDiMode: the reading order. Every right-to-left
    // mode reads text from the right; bdRightToLeft also mirrors the text's
    // alignment and lays the control out from the right (scroll bars on the
    // left), bdRightToLeftNoAlign lays it out from the right but keeps the
    // alignment, bdRightToLeftReadingOnly changes the reading order alone.
    // With ParentBiDiMode the control follows its designed parent's mode.
    // Setting a mode clears ParentBiDiMode, as a colour clears ParentColor.
    int BiDiMode() const;
    void SetBiDiMode(int mode);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    // Kinds with a caption side (check and radio buttons) stand mirrored of
    // their own when the caption is left of the box; only the full
    // right-to-left mode mirrors that side, the other modes keep it.
    virtual bool HasCaptionSide() const { return false; }
    bool Mirrored() const { return FMirrored; }
    void SetMirrored(bool value);
    // A text alignment as the mode shows it: left and right change places
    // in the full right-to-left mode only. The side is absolute, so that
    // text that reads from the right is not mirrored once more.
    Qt::Alignment ShownAlignment(Qt::Alignment alignment) const;
    // The direction text reads in.
    Qt::LayoutDirection ReadingDirection() const;

    // Ctl3D: a sunken 3D border, or a flat single line.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    // For the kinds built on a frame: the border on or off, in the look
    // Ctl3D asks for.
    void ShowFrame(bool on);

    // DragMode dmAutomatic with DragKind dkDrag: while the designer is off,
    // pressing the left button on the control and moving the mouse starts
    // a drag that shows the DragCursor. Docking needs dock sites, which
    // this system has none of, so dkDock starts nothing.
    int DragMode() const;
    int DragKind() const;
    // Runs a drag that automatic dragging started; the default runs it to
    // its end. Returns the runner it replaces.
    using TDragRunner = std::function<void(QDrag &)>;
    static TDragRunner InstallDragRunner(TDragRunner runner);

    // The Cursor property: a cursor identifier shown over the control.
    int Cursor() const { return FCursor; }
    void SetCursor(int cursor);

    // Gives the control a name; a caption or text that still equals the
    // previous name follows it.
    void SetName(const QString &name);

    // The window text: the caption for kinds that show one.
    virtual QString Text() const { return FText; }
    virtual void SetText(const QString &text) { FText = text; }
    // False for kinds whose text does not follow the name.
    virtual bool TextFollowsName() const { return true; }

    // Offers the event to the handler before and after the widget's own
    // processing, which runs only when the handler lets it.
    template <class BaseEvent>
    bool Route(QEvent *event, BaseEvent &&baseEvent, QWidget *target = nullptr)
    {
        if (event->type() == QEvent::Polish)
            PrepareInnerWidgets();
        // Each control is polished after its parent: its own mode is enough.
        if (!target && event->type() == QEvent::Polish)
            ApplyBiDiMode(false);
        if (!target && event->type() == QEvent::ParentChange)
            ApplyBiDiMode();
        bool result = true;
        TDesignRouter *designer = TDesignRouter::Current();
        if (!designer || !designer->Enabled())
            AutoDrag(event);
        if (TDesignRouter *router = designer) {
            QWidget *self = Widget();
            const TControlStatus status = ControlStatus();
            if (router->BeforeMessage(self, event, status, target))
                result = baseEvent();
            router->AfterMessage(self, event, status, target);
        } else {
            result = baseEvent();
        }
        if (!target && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
            GeometryChanged();
        if (!target && event->type() == QEvent::ZOrderChange)
            StackingChanged();
        return result;
    }

protected:
    // The bevel changed: the kind makes room for it and repaints.
    virtual void BevelChanged();
    // Whether the control fills its background: by default only when it
    // has a colour of its own, else its parent shows through.
    virtual bool FillsBackground() const { return !ParentColor(); }
    void ApplyColor();
    // Ctl3D changed: frame kinds take the new border look; the others
    // repaint theirs.
    virtual void Ctl3DChanged();
    // The reading order changed: kinds that show text align it anew.
    virtual void BiDiModeChanged() {}

private:
    uint64_t FCreationNumber;
    // Mouse moves reach the handler also while no button is down, so that
    // hovering shows handles and sizing cursors; scroll bars show the
    // control's handles over them.
    void PrepareInnerWidgets();
    // The user moved or resized the control: aligned controls go back to
    // their place, anchored ones take the new place as their origin.
    void GeometryChanged();
    void StackingChanged();
    void NoteAnchorOrigin();
    void ApplyHint();
    // Lays the control out in its reading order, and with `inside` the
    // designed children that follow it too.
    void ApplyBiDiMode(bool inside = true);
    // Follows a press and the moves after it for automatic dragging.
    void AutoDrag(QEvent *event);
    void StartAutoDrag();

    std::unique_ptr<TStrings> FComment;
    std::unique_ptr<TFont> FFont;
    int FUpdating = 0;
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FParentFont = true;
    int FAlign = 0;
    uint32_t FAnchors = 0x3;
    QRect FAnchorOrigin;
    QSize FAnchorParentSize;
    std::optional<int32_t> FColor;
    std::optional<bool> FParentColor;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    std::map<std::string, int64_t> FValues;
    std::map<std::string, std::string> FTexts;
    QString FText;
    int FCursor = 0;
    bool FVisible = true;
    int FBiDiMode = 0;
    bool FParentBiDiMode = true;
    bool FMirrored = false;
    bool FCtl3D = true;
    std::optional<QPoint> FDragPress;
    int FNaturalShape = 0;
    TBevel FBevel;
};

// The designed control behind a widget, or none.
TLXDesigned *AsDesigned(QWidget *widget);

// The inner widgets of a designed control (viewports, editors, scroll bars),
// without the designed controls it holds and their inner widgets.
QList<QWidget *> InnerWidgetsOf(QWidget *control);
