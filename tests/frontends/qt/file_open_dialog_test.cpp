#include "frontends/qt/file_open_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>

#include <optional>

// The dialog is set up here but never shown: a test must not wait for a user.
class FileOpenDialogTest : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup() { dialog_.reset(); }

  void opensOneExistingFileThroughTheTwoFilters();
  void filters_data();
  void filters();

private:
  [[nodiscard]] QComboBox *filterList() const { return dialog_->findChild<QComboBox *>("fileTypeCombo"); }

  std::optional<QFileDialog> dialog_;
};

void FileOpenDialogTest::init() {
  dialog_.emplace();
  orvelin::prepareFileOpenDialog(*dialog_);
  QVERIFY(filterList() != nullptr);
}

void FileOpenDialogTest::opensOneExistingFileThroughTheTwoFilters() {
  QCOMPARE(dialog_->acceptMode(), QFileDialog::AcceptOpen);
  QCOMPARE(dialog_->fileMode(), QFileDialog::ExistingFile);
  QStringList shown;
  for (int i = 0; i < filterList()->count(); ++i) {
    shown.append(filterList()->itemText(i));
  }
  QCOMPARE(shown, QStringList({"Text File", "All Files"}));
  QCOMPARE(filterList()->currentText(), QStringLiteral("Text File"));
}

void FileOpenDialogTest::filters_data() {
  QTest::addColumn<QString>("filter"); // as the user sees it
  QTest::addColumn<QStringList>("listed");
  QTest::addColumn<QStringList>("leftOut");
  QTest::newRow("Text File") << "Text File" << QStringList{"notes.txt", "report.final.txt"}
                             << QStringList{"notes.bin", "notes", "notes.txt.bak"};
  QTest::newRow("All Files") << "All Files" << QStringList{"notes.txt", "notes.bin", "notes", "notes.txt.bak"}
                             << QStringList{};
}

void FileOpenDialogTest::filters() {
  QFETCH(QString, filter);
  QFETCH(QStringList, listed);
  QFETCH(QStringList, leftOut);
  const int index = filterList()->findText(filter);
  QVERIFY(index >= 0);

  // As a user's pick in the list.
  emit filterList()->activated(index);

  // The patterns the dialog's listing now applies.
  const QStringList patterns = dialog_->findChild<QFileSystemModel *>()->nameFilters();
  for (const QString &name : listed) {
    QVERIFY2(QDir::match(patterns, name), qPrintable(name));
  }
  for (const QString &name : leftOut) {
    QVERIFY2(!QDir::match(patterns, name), qPrintable(name));
  }
}

QTEST_MAIN(FileOpenDialogTest)
#include "file_open_dialog_test.moc"
