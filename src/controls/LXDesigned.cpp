#include "controls/LXDesigned.h"

#include "controls/AlignLayout.h"
#include "controls/Colors.h"
#include "controls/Cursors.h"
#include "controls/DesignEventForwarder.h"
#include "controls/DropTarget.h"
#include "controls/Font.h"
#include "controls/SizeConstraints.h"
#include "controls/Strings.h"
#include "platform/CodePage.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDrag>
#include <QFrame>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextDocument>
#include <QWidget>
#include <utility>

TLXDesigned::TLXDesigned() : FComment(std::make_unique<TStrings>())
{
    static uint64_t made = 0;
    FCreationNumber = ++made;
}

TLXDesigned::~TLXDesigned() = default;

QStringList TLXDesigned::Comment() const
{
    return FComment->Lines();
}

void TLXDesigned::SetComment(const QStringList &lines)
{
    FComment->SetLines(lines);
}

TFont *TLXDesigned::Font()
{
    if (!FFont) {
        FFont = std::make_unique<TFont>(Widget());
        FFont->OnChange = [this] { FParentFont = false; };
    }
    return FFont.get();
}

TLXDesigned::TUpdate::TUpdate(TLXDesigned *control) : FControl(control)
{
    if (FControl && FControl->FUpdating++ == 0)
        FControl->Font()->Hold();
}

TLXDesigned::TUpdate::~TUpdate()
{
    if (!FControl)
        return;
    if (FControl->FUpdating == 1)
        FControl->Font()->Release();
    --FControl->FUpdating;
}

TSizeConstraints *TLXDesigned::Constraints()
{
    if (!FConstraints)
        FConstraints = std::make_unique<TSizeConstraints>(Widget());
    return FConstraints.get();
}

void TLXDesigned::SetParentFont(bool value)
{
    FParentFont = value;
    if (value) {
        Font()->ResetToParent();
        ApplyColor();
    }
}

int32_t TLXDesigned::DefaultColor() const
{
    // Edits, lists, memos, grids and combo boxes show the window colour.
    const QWidget *w = const_cast<TLXDesigned *>(this)->Widget();
    if (qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractScrollArea *>(w) ||
        qobject_cast<const QComboBox *>(w))
        return clWindow;
    return clBtnFace;
}

bool TLXDesigned::ParentColor() const
{
    // Kinds with a face colour take their parent's; edit-like kinds have
    // the window colour of their own.
    return FParentColor.value_or(DefaultColor() == clBtnFace);
}

int32_t TLXDesigned::Color() const
{
    if (ParentColor()) {
        QWidget *parent = const_cast<TLXDesigned *>(this)->Widget()->parentWidget();
        if (TLXDesigned *designed = parent ? AsDesigned(parent) : nullptr)
            return designed->Color();
        return clBtnFace;
    }
    return FColor.value_or(DefaultColor());
}

void TLXDesigned::SetColor(int32_t color)
{
    FColor = color;
    FParentColor = false;
    ApplyColor();
}

void TLXDesigned::SetParentColor(bool value)
{
    FParentColor = value;
    if (value)
        FColor.reset();
    ApplyColor();
}

void TLXDesigned::ApplyColor()
{
    // Only the roles set here are the control's own; the others follow the
    // parent, so a parent's new colour reaches the controls that take it.
    QWidget *w = Widget();
    QPalette palette;
    if (DefaultColor() == clWindow)
        palette.setColor(QPalette::Base, ColorToQColor(Color()));
    else if (!ParentColor())
        palette.setColor(w->backgroundRole(), ColorToQColor(Color()));
    if (FFont && FFont->ColorSet()) {
        const QColor text = ColorToQColor(FFont->Color());
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, text);
    }
    Font()->SetPalette(palette);
    w->setAutoFillBackground(FillsBackground());
}

void TLXDesigned::SetBevel(const TBevel &bevel)
{
    FBevel = bevel;
    BevelChanged();
}

void TLXDesigned::BevelChanged()
{
    Widget()->update();
}

int TLXDesigned::BiDiMode() const
{
    if (FParentBiDiMode) {
        QWidget *parent = const_cast<TLXDesigned *>(this)->Widget()->parentWidget();
        for (; parent; parent = parent->parentWidget())
            if (TLXDesigned *designed = AsDesigned(parent))
                return designed->BiDiMode();
        return bdLeftToRight;
    }
    return FBiDiMode;
}

void TLXDesigned::SetBiDiMode(int mode)
{
    FBiDiMode = mode;
    FParentBiDiMode = false;
    ApplyBiDiMode();
}

void TLXDesigned::SetParentBiDiMode(bool value)
{
    if (value)
        FBiDiMode = bdLeftToRight;
    FParentBiDiMode = value;
    ApplyBiDiMode();
}

void TLXDesigned::SetMirrored(bool value)
{
    FMirrored = value;
    ApplyBiDiMode();
}

void TLXDesigned::ApplyBiDiMode(bool inside)
{
    const int mode = BiDiMode();
    // A caption side is an alignment: only the full right-to-left mode
    // mirrors it.
    const bool rightToLeft = HasCaptionSide()
                                 ? FMirrored != (mode == bdRightToLeft)
                                 : mode == bdRightToLeft || mode == bdRightToLeftNoAlign;
    QWidget *self = Widget();
    self->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    BiDiModeChanged();
    if (!inside)
        return;
    for (QWidget *child : self->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (TLXDesigned *designed = AsDesigned(child); designed && designed->FParentBiDiMode)
            designed->ApplyBiDiMode();
}

Qt::Alignment TLXDesigned::ShownAlignment(Qt::Alignment alignment) const
{
    Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
    if (BiDiMode() == bdRightToLeft && (horizontal & (Qt::AlignLeft | Qt::AlignRight)))
        horizontal ^= Qt::AlignLeft | Qt::AlignRight;
    return horizontal | Qt::AlignAbsolute | (alignment & Qt::AlignVertical_Mask);
}

Qt::LayoutDirection TLXDesigned::ReadingDirection() const
{
    return BiDiMode() == bdLeftToRight ? Qt::LeftToRight : Qt::RightToLeft;
}

int TLXDesigned::DragMode() const
{
    if (auto *target = dynamic_cast<const TDropTarget *>(this))
        return target->DragMode();
    return static_cast<int>(StoredValue("DragMode", dmManual));
}

int TLXDesigned::DragKind() const
{
    if (auto *target = dynamic_cast<const TDropTarget *>(this))
        return target->DragKind();
    return static_cast<int>(StoredValue("DragKind", dkDrag));
}

namespace
{
TLXDesigned::TDragRunner &DragRunner()
{
    static TLXDesigned::TDragRunner runner = [](QDrag &drag) { drag.exec(Qt::MoveAction); };
    return runner;
}
} // namespace

TLXDesigned::TDragRunner TLXDesigned::InstallDragRunner(TDragRunner runner)
{
    return std::exchange(DragRunner(), std::move(runner));
}

void TLXDesigned::AutoDrag(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && DragMode() == dmAutomatic && DragKind() == dkDrag)
            FDragPress = mouse->globalPosition().toPoint();
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!FDragPress || !(mouse->buttons() & Qt::LeftButton))
            break;
        if ((mouse->globalPosition().toPoint() - *FDragPress).manhattanLength() >=
            QApplication::startDragDistance()) {
            FDragPress.reset();
            StartAutoDrag();
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        FDragPress.reset();
        break;
    default:
        break;
    }
}

void TLXDesigned::StartAutoDrag()
{
    QWidget *self = Widget();
    auto *drag = new QDrag(self);
    auto *data = new QMimeData;
    data->setText(QString::fromStdString(ComponentName()));
    drag->setMimeData(data);
    // The drag cursor shows over every window until the drag ends.
    QGuiApplication::setOverrideCursor(
        QCursor(CursorShapeOf(static_cast<int>(StoredValue("DragCursor", crDrag)))));
    DragRunner()(*drag);
    QGuiApplication::restoreOverrideCursor();
    drag->deleteLater();
}

void TLXDesigned::SetCtl3D(bool value)
{
    FCtl3D = value;
    // The value is the control's own from now on, so that it is kept.
    SetStoredValue("ParentCtl3D", 0);
    Ctl3DChanged();
}

void TLXDesigned::Ctl3DChanged()
{
    if (auto *frame = qobject_cast<QFrame *>(Widget());
        frame && frame->frameShape() != QFrame::NoFrame)
        ShowFrame(true);
    Widget()->update();
}

void TLXDesigned::ShowFrame(bool on)
{
    auto *frame = qobject_cast<QFrame *>(Widget());
    if (!frame)
        return;
    if (!on) {
        frame->setFrameShape(QFrame::NoFrame);
    } else if (FCtl3D) {
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setFrameShadow(QFrame::Sunken);
    } else {
        frame->setFrameShape(QFrame::Box);
        frame->setFrameShadow(QFrame::Plain);
        frame->setLineWidth(1);
    }
}

void TLXDesigned::SetHint(const std::string &hint)
{
    FHint = hint;
    ApplyHint();
}

void TLXDesigned::SetVisible(bool value)
{
    const bool changed = FVisible != value;
    FVisible = value;
    ApplyVisibility();
    // While designing the widget stays shown, so only a repaint brings the
    // hatching that marks a hidden control on or off.
    if (changed) {
        Widget()->update();
        for (QWidget *child : Widget()->findChildren<QWidget *>())
            child->update();
        QEvent told(VisibleChange());
        QCoreApplication::sendEvent(Widget(), &told);
    }
}

QEvent::Type TLXDesigned::VisibleChange()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void TLXDesigned::ApplyVisibility()
{
    const TDesignRouter *router = TDesignRouter::Current();
    Widget()->setVisible(FVisible || (router && router->Enabled()));
}

void TLXDesigned::SetShowHint(bool value)
{
    // Only a change stops following the parent, so that rewriting the
    // current value (as reopening a layout does) keeps ParentShowHint.
    if (value == FShowHint)
        return;
    FShowHint = value;
    FParentShowHint = false;
    ApplyHint();
}

void TLXDesigned::SetParentShowHint(bool value)
{
    FParentShowHint = value;
    if (value) {
        QWidget *parent = Widget()->parentWidget();
        TLXDesigned *designed = parent ? AsDesigned(parent) : nullptr;
        FShowHint = designed && designed->ShowHint();
    }
    ApplyHint();
}

void TLXDesigned::ApplyHint()
{
    // Tool tips that look like markup are shown as markup; a hint is
    // shown as typed.
    QString hint = FShowHint ? CodePage::ToQString(FHint) : QString();
    if (Qt::mightBeRichText(hint))
        hint = Qt::convertFromPlainText(hint, Qt::WhiteSpaceNormal);
    Widget()->setToolTip(hint);
}

void TLXDesigned::SetAlign(int align)
{
    const bool unchanged = align == FAlign && align == 0; // alNone
    FAlign = align;
    QWidget *parent = Widget()->parentWidget();
    TAlignLayout::Watch(parent);
    // A control that stays unaligned moves nothing: its siblings were placed
    // when they last changed. Opening a layout writes alNone to every
    // control, and placing all siblings each time would cost n squared.
    if (!unchanged)
        TAlignLayout::Realign(parent);
}

void TLXDesigned::SetAnchors(uint32_t anchors)
{
    FAnchors = anchors;
    NoteAnchorOrigin();
    TAlignLayout::Watch(Widget()->parentWidget());
}

void TLXDesigned::NoteAnchorOrigin()
{
    QWidget *w = Widget();
    FAnchorOrigin = w->geometry();
    FAnchorParentSize = w->parentWidget() ? w->parentWidget()->size() : QSize();
}

void TLXDesigned::GeometryChanged()
{
    if (TAlignLayout::Aligning())
        return;
    NoteAnchorOrigin();
    if (FAlign != 0)
        TAlignLayout::Realign(Widget()->parentWidget());
}

// Aligned controls of equal place keep their stacking order.
void TLXDesigned::StackingChanged()
{
    constexpr uint32_t topLeft = 0x3; // [akLeft, akTop]
    if (FAlign != 0 || FAnchors != topLeft)
        TAlignLayout::Watch(Widget()->parentWidget());
}

int64_t TLXDesigned::StoredValue(const std::string &key, int64_t def) const
{
    auto it = FValues.find(key);
    return it == FValues.end() ? def : it->second;
}

std::string TLXDesigned::StoredText(const std::string &key) const
{
    auto it = FTexts.find(key);
    return it == FTexts.end() ? std::string() : it->second;
}

std::string TLXDesigned::ComponentName() const
{
    return CodePage::FromQString(const_cast<TLXDesigned *>(this)->Widget()->objectName());
}

void TLXDesigned::SetName(const QString &name)
{
    QWidget *w = Widget();
    if (TextFollowsName() && Text() == w->objectName())
        SetText(name);
    w->setObjectName(name);
}

void TLXDesigned::SetCursor(int cursor)
{
    QWidget *w = Widget();
    // crDefault shows the widget's own cursor (an I-beam over an edit box).
    if (FCursor == crDefault)
        FNaturalShape = w->cursor().shape();
    FCursor = cursor;
    w->setCursor(cursor == crDefault ? static_cast<Qt::CursorShape>(FNaturalShape)
                                     : CursorShapeOf(cursor));
}

void TLXDesigned::PrepareInnerWidgets()
{
    QWidget *w = Widget();
    w->setMouseTracking(true);
    for (QWidget *inner : InnerWidgetsOf(w)) {
        inner->setMouseTracking(true);
        if (qobject_cast<QScrollBar *>(inner))
            TDesignEventForwarder::AttachPaint(this, inner);
    }
}

TLXDesigned *AsDesigned(QWidget *widget)
{
    return dynamic_cast<TLXDesigned *>(widget);
}

QList<QWidget *> InnerWidgetsOf(QWidget *control)
{
    QList<QWidget *> result;
    for (QWidget *inner : control->findChildren<QWidget *>()) {
        QWidget *owner = inner;
        while (owner && owner != control && !AsDesigned(owner))
            owner = owner->parentWidget();
        if (owner == control)
            result.append(inner);
    }
    return result;
}
