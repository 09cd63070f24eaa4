#include "AppTestSupport.h"
#include "ModalAnswer.h"

#include "app/DialogExportUi.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

using namespace brisomel;
using namespace brisomel::apptest;

TEST(DialogExportUi, TheAlertIsCriticalWithItsTwoTextsAndTheSingleButtonYes) {
    DialogExportUi ui(nullptr);
    QString text, informative, buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    answerModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        informative = box->informativeText();
        icon = box->icon();
        for (QAbstractButton* button : box->buttons()) {
            buttons += button->text() + u'|';
        }
        box->buttons().constFirst()->click();
    });

    ui.showAlert(QStringLiteral("ファイル書き込みエラー"), QStringLiteral("詳しい説明"));

    EXPECT_EQ(text, QStringLiteral("ファイル書き込みエラー"));
    EXPECT_EQ(informative, QStringLiteral("詳しい説明"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QStringLiteral("はい|"));
}

TEST(DialogExportUi, TheSaveDialogProposesTheNameInTheFolderAndThenTheLastUsedOne) {
    QTemporaryDir loaded;
    QTemporaryDir elsewhere;
    DialogExportUi ui(nullptr);
    ui.setDefaultFolder(loaded.path());
    const QString chosen = QDir(elsewhere.path()).filePath(QStringLiteral("out.fcpxml"));
    QString proposed;
    bool confirmsOverwrite = false;
    answerModal<QFileDialog>([&](QFileDialog* dialog) {
        proposed = dialog->selectedFiles().value(0);
        confirmsOverwrite = dialog->acceptMode() == QFileDialog::AcceptSave &&
                            !dialog->testOption(QFileDialog::DontConfirmOverwrite) &&
                            !dialog->testOption(QFileDialog::ReadOnly);
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept(); // through QDialog: the override is protected
    });

    EXPECT_EQ(ui.chooseSaveLocation(QStringLiteral("Scene1.fcpxml")), chosen);
    EXPECT_EQ(proposed, QDir(loaded.path()).filePath(QStringLiteral("Scene1.fcpxml")));
    EXPECT_TRUE(confirmsOverwrite);

    QString startedIn;
    answerModal<QFileDialog>([&](QFileDialog* dialog) {
        startedIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_EQ(ui.chooseSaveLocation(QStringLiteral("Scene1.fcpxml")), std::nullopt);
    EXPECT_EQ(QDir(startedIn), QDir(elsewhere.path()));
}
