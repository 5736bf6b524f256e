#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// Answers the next file dialog the way a user does: once it runs, it is
// pointed at folder, typed goes into its name box and Enter accepts (the
// text is set whole, so that no completion pops up over the box).
// A message box the dialog opens over itself fails the test and is closed,
// and a dialog that stays open after Enter (it refused the name) is
// cancelled, so that no test waits on either.
inline void AnswerFileDialog(const QString &folder, const QString &typed)
{
    QTimer::singleShot(0, [folder, typed] {
        QFileDialog *dialog = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QFileDialog *>(w); d && d->isVisible())
                dialog = d;
        if (!dialog) {
            ADD_FAILURE() << "no file dialog is open";
            return;
        }
        dialog->setDirectory(folder);
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!edit) {
            ADD_FAILURE() << "the file dialog has no name box";
            dialog->reject();
            return;
        }
        // Typed into the focused box, the name is not replaced by the
        // files the dialog finds matching it.
        QApplication::setActiveWindow(dialog);
        edit->setFocus();
        edit->setText(typed);
        QTimer::singleShot(0, [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                    ADD_FAILURE() << "the file dialog asked: " << box->text().toStdString();
                    box->reject();
                }
        });
        QTest::keyClick(edit, Qt::Key_Return);
        if (dialog->isVisible())
            dialog->reject();
    });
}
