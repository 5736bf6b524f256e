#pragma once

#include <QValidator>

class QLineEdit;

// Keeps the text of a line editor in upper or lower case as it is typed
// (the CharCase of edit and combo boxes).
class TCaseValidator : public QValidator
{
public:
    enum TCharCase { ecNormal, ecUpperCase, ecLowerCase };

    // Gives the editor a validator for the case, or none for ecNormal, and
    // converts its present text.
    static void Apply(QLineEdit *editor, int charCase);

    State validate(QString &input, int &pos) const override;

private:
    TCaseValidator(int charCase, QObject *parent) : QValidator(parent), FCharCase(charCase) {}

    int FCharCase;
};
