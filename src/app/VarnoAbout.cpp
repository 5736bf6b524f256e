#include "app/VarnoAbout.h"

#include "app/ProgramIcon.h"
#include "app/VersInfo.h"
#include "platform/DesktopShell.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

const QString TFormVarnoAbout::MakerName = QStringLiteral("The Form Designer developers");
const QString TFormVarnoAbout::MakerLink = QStringLiteral("https://formdesigner.example.org/");

namespace
{

QLabel *AddLabel(QWidget *parent, const QString &text, int x, int y, int w, int h)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

} // namespace

TFormVarnoAbout::TFormVarnoAbout(QWidget *owner, const QString &programFile) : QDialog(owner)
{
    setObjectName(QStringLiteral("FormVarnoAbout"));
    setWindowTitle(QStringLiteral("About..."));
    setFixedSize(394, 184);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);

    Image = AddLabel(this, QString(), 8, 24, 32, 32);
    Image->setObjectName(QStringLiteral("Image"));
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = ProgramIcon();
    Image->setPixmap(icon.pixmap(32, 32));

    AddLabel(this, QStringLiteral("Product:"), 52, 18, 60, 18);
    ProductNameLabel = AddLabel(this, QString(), 112, 18, 140, 18);
    ProductNameLabel->setObjectName(QStringLiteral("ProductNameLabel"));
    AddLabel(this, QStringLiteral("Version:"), 52, 40, 60, 18);
    FileVersionLabel = AddLabel(this, QString(), 112, 40, 140, 18);
    FileVersionLabel->setObjectName(QStringLiteral("FileVersionLabel"));
    AddLabel(this, QString(34, '_'), 8, 58, 246, 16);

    auto *logo = AddLabel(this, QString(), 265, 8, 121, 81);
    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(ProgramIcon().pixmap(81, 81).scaled(121, 81, Qt::KeepAspectRatio,
                                                        Qt::SmoothTransformation));

    AddLabel(this, MakerName, 8, 82, 250, 18);
    MakerLinkLabel = AddLabel(this, QString(), 8, 100, 250, 18);
    MakerLinkLabel->setObjectName(QStringLiteral("MakerLinkLabel"));
    MakerLinkLabel->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(MakerLink));
    MakerLinkLabel->setToolTip(QStringLiteral("Visit the Form Designer home page"));
    MakerLinkLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                            Qt::LinksAccessibleByKeyboard);
    connect(MakerLinkLabel, &QLabel::linkActivated, this,
            [](const QString &link) { DesktopShell::Open(QUrl(link)); });
    AddLabel(this,
             QStringLiteral("Copyright (c) the Form Designer developers.\n"
                            "Free software under the MIT licence: see Terms And Conditions."),
             8, 118, 378, 30);

    btnTermsAndConditions = new QPushButton(QStringLiteral("Terms And Conditions"), this);
    btnTermsAndConditions->setObjectName(QStringLiteral("btnTermsAndConditions"));
    btnTermsAndConditions->setGeometry(148, 152, 150, 25);
    btnTermsAndConditions->setAutoDefault(false);
    connect(btnTermsAndConditions, &QPushButton::clicked, this,
            [this] { btnTermsAndConditionsClick(); });
    // Default button; Escape closes the dialog as well.
    BitBtnOK = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setGeometry(306, 152, 80, 25);
    BitBtnOK->setDefault(true);
    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);

    const TSMVersionInfo info(programFile.isEmpty() ? QApplication::applicationFilePath()
                                                    : programFile);
    ProductNameLabel->setText(info.GetVersionString(7));
    FileVersionLabel->setText(info.GetVersionString(3));

    if (QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormVarnoAbout::btnTermsAndConditionsClick()
{
    DesktopShell::Open(QUrl::fromLocalFile(LicenseFile));
}

void TFormVarnoAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFormVarnoAbout::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TFormVarnoAbout::FormActivate()
{
    if (!QFileInfo::exists(LicenseFile))
        btnTermsAndConditions->setEnabled(false);
}

QString LicenseFilePath()
{
    const QString beside = ProgramFolder::Path() + QStringLiteral("License.txt");
    const QString installed =
        ProgramFolder::Path() + QStringLiteral("../share/doc/formdesigner/copyright");
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed))
        return QFileInfo(installed).canonicalFilePath();
    return beside;
}

void ShowAbout(QWidget *owner, const QString &licenseFile)
{
    TFormVarnoAbout dialog(owner);
    dialog.LicenseFile = licenseFile;
    dialog.exec();
}
