#include "app/file_open_dialog.h"

#include <QFileDialog>
#include <QTest>

class FileOpenDialogTest : public QObject {
  Q_OBJECT

private slots:
  // The dialog is set up here but never shown: a test must not wait for a user.
  void opensOneExistingFileThroughTheTwoFilters() {
    QFileDialog dialog;
    orvelin::prepareFileOpenDialog(dialog);

    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog.nameFilters(), QStringList({"Text File (*.txt)", "All Files (*)"}));
    QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("Text File (*.txt)"));
  }
};

QTEST_MAIN(FileOpenDialogTest)
#include "file_open_dialog_test.moc"
