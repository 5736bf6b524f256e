#pragma once

#include <QFileDialog>

class QLineEdit;

// The program's open and save dialog. The stock dialog reads quotation
// marks in the typed name as separators of several names, so that
// x "q" y.xml would choose q.xml; here a typed name is one name, quotes
// and all, and FileName answers the file the user meant.
class TFileDialog : public QFileDialog
{
public:
    explicit TFileDialog(QWidget *parent = nullptr, const QString &caption = QString());

    // The chosen file; empty before the dialog was accepted.
    QString FileName() const;
    // Runs the dialog; the chosen file, or empty when it was cancelled.
    QString Run();

    void accept() override;

private:
    // Takes the name in the name box as it stands; false while the dialog
    // has to stay open (a folder was entered, the user was told why).
    bool AcceptLiterally(QLineEdit *edit);

    QString FLiteralName;
};
