#pragma once

#include "controls/LXDesigned.h"

#include <QLineEdit>

// What the edit box and a grid's cell editor share beyond the line edit:
// the chosen password character, selecting all on entry by the keyboard,
// keeping the selection visible after the focus leaves, and the bevel.
class TCustomEdit : public QLineEdit, public TLXDesigned
{
public:
    explicit TCustomEdit(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return text(); }
    void SetText(const QString &text) override { setText(text); }

    // The character code (system code page) shown for each typed character;
    // 0 shows the text.
    int PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(int code);
    // The character as the toolkit shows it, for the style's hint.
    QChar PasswordCharacter() const { return FPasswordCharacter; }

    // AutoSelect: entering by the keyboard selects the whole text.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    // HideSelection: the selection shows only while the edit has the focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value) { FHideSelection = value; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void initStyleOption(QStyleOptionFrame *option) const override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void BevelChanged() override;
    void BiDiModeChanged() override;

private:
    int FPasswordChar = 0;
    QChar FPasswordCharacter;
    bool FAutoSelect = true;
    bool FHideSelection = true;
};
