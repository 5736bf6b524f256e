#pragma once

#include "controls/LXDesigned.h"

#include <QComboBox>

// An editable combo box; the events of its editor are routed on its behalf.
class TLXComboBox : public QComboBox, public TLXDesigned
{
public:
    explicit TLXComboBox(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return currentText(); }
    void SetText(const QString &text) override;

    // Editable or a fixed list; a new editor is routed like the old one.
    void SetEditable(bool editable);

protected:
    bool event(QEvent *event) override;
};
