#include "controls/CaseValidator.h"

#include <QLineEdit>

void TCaseValidator::Apply(QLineEdit *editor, int charCase)
{
    if (!editor)
        return;
    const QValidator *old = editor->validator();
    if (old && dynamic_cast<const TCaseValidator *>(old) && old->parent() == editor)
        delete old;
    editor->setValidator(charCase == ecNormal ? nullptr : new TCaseValidator(charCase, editor));
    QString text = editor->text();
    int pos = 0;
    if (const QValidator *validator = editor->validator()) {
        validator->validate(text, pos);
        editor->setText(text);
    }
}

QValidator::State TCaseValidator::validate(QString &input, int &) const
{
    input = FCharCase == ecUpperCase ? input.toUpper() : input.toLower();
    return Acceptable;
}
