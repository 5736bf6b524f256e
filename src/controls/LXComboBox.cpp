#include "controls/LXComboBox.h"

#include "controls/FlatFrame.h"

#include "controls/DesignEventForwarder.h"
#include "controls/Strings.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyledItemDelegate>

namespace
{

// Items of an owner-drawn box: drawn as usual, ItemHeight high.
class TItemHeightDelegate : public QStyledItemDelegate
{
public:
    explicit TItemHeightDelegate(TLXComboBox *box) : QStyledItemDelegate(box), FBox(box) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(FBox->ItemHeight());
        return size;
    }

private:
    TLXComboBox *FBox;
};

} // namespace

TLXComboBox::TLXComboBox(QWidget *parent) : QComboBox(parent)
{
    SetEditable(true);
    resize(145, sizeHint().height());
    FItems = std::make_unique<TStrings>(
        [this] {
            QStringList lines;
            for (int i = 0; i < count(); ++i)
                lines.append(itemText(i));
            return lines;
        },
        [this](const QStringList &lines) {
            // Replacing the items keeps the typed text and, where it still
            // exists, the chosen item.
            const int index = FPendingIndex >= 0 ? FPendingIndex : currentIndex();
            FPendingIndex = -1;
            const QString text = currentText();
            QStringList items = lines;
            if (FSorted)
                items.sort(Qt::CaseInsensitive);
            clear();
            addItems(items);
            setCurrentIndex(index < count() ? index : -1);
            if (isEditable())
                setEditText(text);
        });
}

TLXComboBox::~TLXComboBox() = default;

void TLXComboBox::SetEditable(bool editable)
{
    if (editable && !isEditable()) {
        // A line edit of the box's own makes it editable without building
        // the drop-down list at once, as switching the toolkit's flag does;
        // the list is built when it is first shown. Layouts hold thousands
        // of these boxes.
        auto *edit = new QLineEdit(this);
        edit->setPalette(palette());
        setLineEdit(edit);
    } else {
        setEditable(editable);
    }
    if (lineEdit()) {
        TDesignEventForwarder::Attach(this, lineEdit());
        ApplyCompleter();
    }
    BiDiModeChanged();
}

void TLXComboBox::BiDiModeChanged()
{
    if (QLineEdit *edit = lineEdit())
        edit->setAlignment(ShownAlignment(Qt::AlignLeft | Qt::AlignVCenter));
}

void TLXComboBox::SetItemIndex(int index)
{
    const bool inRange = index >= 0 && index < count();
    FPendingIndex = inRange ? -1 : index;
    setCurrentIndex(inRange ? index : -1);
}

void TLXComboBox::SetSorted(bool value)
{
    FSorted = value;
    if (value)
        FItems->SetLines(FItems->Lines());
}

void TLXComboBox::SetText(const QString &text)
{
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text));
}

void TLXComboBox::SetStyle(int style)
{
    const bool wasSimple = Simple();
    FStyle = style;
    SetEditable(style == csDropDown || style == csSimple);
    if (Simple() && !FSimpleList) {
        FSimpleList = new QListView(this);
        FSimpleList->setModel(model());
        FSimpleList->setModelColumn(modelColumn());
        FSimpleList->setEditTriggers(QAbstractItemView::NoEditTriggers);
        FSimpleList->setFocusPolicy(Qt::NoFocus);
        connect(FSimpleList, &QListView::clicked, this,
                [this](const QModelIndex &index) { setCurrentIndex(index.row()); });
        TDesignEventForwarder::Attach(this, FSimpleList);
        TDesignEventForwarder::Attach(this, FSimpleList->viewport());
    }
    if (FSimpleList)
        FSimpleList->setVisible(Simple());
    if (Simple() && !wasSimple && !Updating()) {
        // Room for a few items where the box had none; a layout being read
        // brings its own height.
        const int room = EditHeight() + 4 * fontMetrics().height() + 4;
        if (height() < room)
            resize(width(), room);
    }
    if (wasSimple && !Simple())
        FitHeightToFont();
    LayoutSimple();
    update();
}

void TLXComboBox::SetItemHeight(int height)
{
    if (height > 0)
        FItemHeight = height;
}

void TLXComboBox::SetAutoComplete(bool value)
{
    FAutoComplete = value;
    ApplyCompleter();
}

void TLXComboBox::ApplyCompleter()
{
    QLineEdit *edit = lineEdit();
    if (!edit)
        return;
    if (!FAutoComplete) {
        edit->setCompleter(nullptr);
        return;
    }
    if (edit->completer())
        return;
    auto *completer = new QCompleter(model(), edit);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    completer->setCompletionColumn(modelColumn());
    edit->setCompleter(completer);
}

int TLXComboBox::EditHeight() const
{
    return QComboBox::sizeHint().height() + Bevel().Margins().top() + Bevel().Margins().bottom();
}

QSize TLXComboBox::sizeHint() const
{
    return QComboBox::sizeHint().grownBy(Bevel().Margins());
}

QSize TLXComboBox::minimumSizeHint() const
{
    return QComboBox::minimumSizeHint().grownBy(Bevel().Margins());
}

void TLXComboBox::FitHeightToFont()
{
    if (!Simple())
        resize(width(), sizeHint().height());
}

void TLXComboBox::initStyleOption(QStyleOptionComboBox *option) const
{
    // Frame, arrow and editor stand inside the bevel; in the simple style
    // they take the edit's height only.
    QComboBox::initStyleOption(option);
    if (Simple())
        option->rect.setHeight(EditHeight());
    option->rect = option->rect.marginsRemoved(Bevel().Margins());
}

void TLXComboBox::LayoutSimple()
{
    if (!Simple())
        return;
    const int edit = EditHeight();
    const QRect inner = QRect(0, 0, width(), edit).marginsRemoved(Bevel().Margins());
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    if (lineEdit())
        lineEdit()->setGeometry(inner.adjusted(frame, frame, -frame, -frame));
    if (FSimpleList)
        FSimpleList->setGeometry(0, edit, width(), std::max(height() - edit, 0));
}

void TLXComboBox::paintEvent(QPaintEvent *event)
{
    if (Simple()) {
        // An edit box above the list, without an arrow.
        QPainter painter(this);
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = QRect(0, 0, width(), EditHeight()).marginsRemoved(Bevel().Margins());
        frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);
        if (!Ctl3D())
            TFlatFrame::Paint(painter, frame.rect, palette(), frame.lineWidth);
        Bevel().Paint(painter, QRect(0, 0, width(), EditHeight()), palette());
        return;
    }
    QComboBox::paintEvent(event);
    QPainter painter(this);
    if (hasFrame() && !Ctl3D())
        TFlatFrame::Paint(painter, rect().marginsRemoved(Bevel().Margins()), palette(),
                          style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this),
                          isEditable() ? QPalette::Base : QPalette::Button);
    Bevel().Paint(painter, rect(), palette());
}

void TLXComboBox::BevelChanged()
{
    updateGeometry();
    FitHeightToFont();
    LayoutSimple();
    update();
}

void TLXComboBox::showPopup()
{
    // The simple style's list is always open.
    if (Simple())
        return;
    QAbstractItemView *list = view();
    if (!FListDelegate)
        FListDelegate = list->itemDelegate();
    if (OwnerDrawn()) {
        if (!FItemDelegate)
            FItemDelegate = new TItemHeightDelegate(this);
        list->setItemDelegate(FItemDelegate);
    } else if (FListDelegate) {
        list->setItemDelegate(FListDelegate);
    }
    list->installEventFilter(this);
    QComboBox::showPopup();
}

bool TLXComboBox::eventFilter(QObject *watched, QEvent *event)
{
    // With AutoCloseUp a key that moves to another item in the dropped
    // list chooses it and closes the list.
    if (FAutoCloseUp && watched == view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        int row = view()->currentIndex().row();
        if (key == Qt::Key_Down)
            ++row;
        else if (key == Qt::Key_Up)
            --row;
        else if (key == Qt::Key_Home)
            row = 0;
        else if (key == Qt::Key_End)
            row = count() - 1;
        else
            return QComboBox::eventFilter(watched, event);
        if (row >= 0 && row < count()) {
            setCurrentIndex(row);
            hidePopup();
        }
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void TLXComboBox::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool typing = !text.isEmpty() && text.front().isPrint() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typing && !isEditable() && !FAutoComplete && count() > 0) {
        // Each letter finds the next item starting with it.
        for (int i = 1; i <= count(); ++i) {
            const int row = (currentIndex() + i) % count();
            if (itemText(row).startsWith(text, Qt::CaseInsensitive)) {
                setCurrentIndex(row);
                break;
            }
        }
        event->accept();
    } else {
        QComboBox::keyPressEvent(event);
    }
    if (typing && FAutoDropDown && !Simple() && !view()->isVisible())
        showPopup();
}

void TLXComboBox::mousePressEvent(QMouseEvent *event)
{
    if (Simple()) {
        // No arrow to drop anything down: a press only places the caret.
        event->ignore();
        return;
    }
    QComboBox::mousePressEvent(event);
}

bool TLXComboBox::event(QEvent *event)
{
    const bool result = Route(event, [&] { return QComboBox::event(event); });
    switch (event->type()) {
    case QEvent::FontChange:
        // The height follows the font, as the edit box's does.
        if (!Updating())
            FitHeightToFont();
        LayoutSimple();
        break;
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::StyleChange:
    case QEvent::LayoutRequest:
        LayoutSimple();
        break;
    default:
        break;
    }
    return result;
}
