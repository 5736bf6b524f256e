#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: the program's icon, product name and file version from the
// program file's version block, the maker, a rights notice and the licence.
class TFormVarnoAbout : public QDialog
{
public:
    // programFile: whose version block is shown (the running program's when
    // empty).
    explicit TFormVarnoAbout(QWidget *owner, const QString &programFile = QString());

    static const QString MakerName;
    static const QString MakerLink;

    // The licence text file that "Terms And Conditions" opens.
    QString LicenseFile;

    QLabel *Image = nullptr;
    QLabel *ProductNameLabel = nullptr;
    QLabel *FileVersionLabel = nullptr;
    QLabel *MakerLinkLabel = nullptr;
    QPushButton *BitBtnOK = nullptr;
    QPushButton *btnTermsAndConditions = nullptr;

    void btnTermsAndConditionsClick();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
};

// The licence file of the program: "License.txt" beside the executable, or,
// for an installed program, the "copyright" file in its shared documentation
// folder.
QString LicenseFilePath();

// Shows the about box modally over owner with that licence file.
void ShowAbout(QWidget *owner, const QString &licenseFile);
