#include "checks/TextRoom.h"

#include "controls/LXButton.h"
#include "controls/LXCheckBox.h"
#include "controls/LXComboBox.h"
#include "controls/LXEditBox.h"
#include "controls/LXGroupBox.h"
#include "controls/LXLabel.h"
#include "controls/LXListBox.h"
#include "controls/LXPanel.h"
#include "controls/LXRadioButton.h"
#include "controls/LXStringGrid.h"

#include <QFontMetrics>
#include <QListWidgetItem>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

namespace
{

using TClip = TTextRoom::TClip;

constexpr int Unbounded = 1 << 20;

// The room a text needs with the flags it is drawn with; wrapping text is
// measured within the width it has.
QSize TextSize(const QFontMetrics &metrics, const QString &text, int flags, int width)
{
    if (flags & Qt::TextWordWrap)
        return metrics.boundingRect(QRect(0, 0, width, Unbounded), flags, text).size();
    return metrics.size(flags, text);
}

// Compares a text with its room; needs and has are told for the whole
// control, the room's surroundings added.
std::optional<TClip> Fit(const QWidget *control, const QString &what, const QString &property,
                         const QString &text, const QFont &font, int flags, const QRect &room)
{
    if (text.isEmpty())
        return std::nullopt;
    const QFontMetrics metrics(font);
    const QSize needed = TextSize(metrics, text, flags, room.width());
    if (needed.width() > room.width())
        return TClip{what,
                     text,
                     property,
                     needed.width() + control->width() - room.width(),
                     control->width(),
                     false};
    if (needed.height() > room.height())
        return TClip{what,
                     text,
                     property,
                     needed.height() + control->height() - room.height(),
                     control->height(),
                     true};
    return std::nullopt;
}

std::optional<TClip> ButtonCaption(QAbstractButton *button, bool wrap, QStyle::SubElement contents,
                                   const TTextStress &stress)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = stress.Text(button->text());
    const QRect room = button->style()->subElementRect(contents, &option, button);
    const int flags = Qt::TextShowMnemonic | (wrap ? Qt::TextWordWrap : 0);
    return Fit(button, QStringLiteral("caption"), QStringLiteral("Caption"), option.text,
               stress.Font(button->font()), flags, room);
}

std::optional<TClip> LabelCaption(TLXLabel *label, const TTextStress &stress)
{
    if (label->AutoSize())
        return std::nullopt;
    int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
    if (label->ShowAccelChar())
        flags |= Qt::TextShowMnemonic;
    return Fit(label, QStringLiteral("caption"), QStringLiteral("Caption"),
               stress.Text(label->Text()), stress.Font(label->font()), flags,
               label->contentsRect());
}

std::optional<TClip> GroupTitle(TLXGroupBox *box, const TTextStress &stress)
{
    const QString title = stress.Text(box->title());
    if (title.isEmpty())
        return std::nullopt;
    // The box's own least width holds its title and the frame around it.
    const int frame =
        box->minimumSizeHint().width() - box->fontMetrics().horizontalAdvance(box->title());
    const int needs = QFontMetrics(stress.Font(box->font())).horizontalAdvance(title) + frame;
    if (needs <= box->width())
        return std::nullopt;
    return TClip{
        QStringLiteral("caption"), title, QStringLiteral("Caption"), needs, box->width(), false};
}

std::optional<TClip> EditText(TCustomEdit *edit, const TTextStress &stress)
{
    // A line edit keeps a margin of 2 pixels either side inside its frame.
    const int frame =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect room = edit->contentsRect().adjusted(frame + 2, frame, -frame - 2, -frame);
    return Fit(edit, QStringLiteral("text"), QStringLiteral("Text"), stress.Text(edit->text()),
               stress.Font(edit->font()), 0, room);
}

std::optional<TClip> ComboItems(TLXComboBox *combo, const TTextStress &stress)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, combo);
    const QFont font = stress.Font(combo->font());
    // The text it shows first, which need not be one of its items.
    if (auto clip = Fit(combo, QStringLiteral("text"), QStringLiteral("Text"),
                        stress.Text(combo->currentText()), font, 0, room))
        return clip;
    for (int i = 0; i < combo->count(); ++i)
        if (auto clip = Fit(combo, QStringLiteral("item"), QStringLiteral("Items"),
                            stress.Text(combo->itemText(i)), font, 0, room))
            return clip;
    return std::nullopt;
}

std::optional<TClip> ListItems(TLXListBox *list, const TTextStress &stress)
{
    const QFont font = stress.Font(list->font());
    const QFontMetrics metrics(font);
    // Items stand in the viewport with the view's text margins either side.
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    QRect room = list->contentsRect().adjusted(margin, 0, -margin, 0);
    if (list->verticalScrollBar()->isVisibleTo(list))
        room.setRight(room.right() - list->verticalScrollBar()->sizeHint().width());
    for (int i = 0; i < list->count(); ++i) {
        const QString text = stress.Text(list->item(i)->text());
        const int width = metrics.horizontalAdvance(text);
        if (width > room.width())
            return TClip{QStringLiteral("item"),  text,
                         QStringLiteral("Items"), width + list->width() - room.width(),
                         list->width(),           false};
    }
    return std::nullopt;
}

std::optional<TClip> GridCells(TLXStringGrid *grid, const TTextStress &stress)
{
    const QFontMetrics metrics(stress.Font(grid->font()));
    // The grid draws a cell's text 2 pixels in from its left edge.
    for (int col = 0; col < grid->ColCount(); ++col) {
        const int has = grid->columnWidth(col);
        for (int row = 0; row < grid->RowCount(); ++row) {
            const QString text = stress.Text(grid->Cell(col, row));
            const int needs = text.isEmpty() ? 0 : metrics.horizontalAdvance(text) + 4;
            if (needs > has)
                return TClip{
                    QStringLiteral("cell"), text, QStringLiteral("Cells"), needs, has, false};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<TClip> TTextRoom::Clipped(QWidget *control, const TTextStress &stress)
{
    if (auto *button = dynamic_cast<TLXButton *>(control))
        return ButtonCaption(button, button->WordWrap(), QStyle::SE_PushButtonContents, stress);
    if (auto *check = dynamic_cast<TLXCheckBox *>(control))
        return ButtonCaption(check, check->WordWrap(), QStyle::SE_CheckBoxContents, stress);
    if (auto *radio = dynamic_cast<TLXRadioButton *>(control))
        return ButtonCaption(radio, radio->WordWrap(), QStyle::SE_RadioButtonContents, stress);
    if (auto *label = dynamic_cast<TLXLabel *>(control))
        return LabelCaption(label, stress);
    if (auto *box = dynamic_cast<TLXGroupBox *>(control))
        return GroupTitle(box, stress);
    if (auto *panel = dynamic_cast<TLXPanel *>(control)) {
        if (panel->AutoSize())
            return std::nullopt;
        return Fit(panel, QStringLiteral("caption"), QStringLiteral("Caption"),
                   stress.Text(panel->Text()), stress.Font(panel->font()), 0,
                   panel->contentsRect());
    }
    if (auto *edit = dynamic_cast<TCustomEdit *>(control))
        return EditText(edit, stress);
    if (auto *combo = dynamic_cast<TLXComboBox *>(control))
        return ComboItems(combo, stress);
    if (auto *list = dynamic_cast<TLXListBox *>(control))
        return ListItems(list, stress);
    if (auto *grid = dynamic_cast<TLXStringGrid *>(control))
        return GridCells(grid, stress);
    return std::nullopt;
}
