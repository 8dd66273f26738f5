// A Browse and an Encrypt through the main window leave the desktop's list of recently used files
// ($XDG_DATA_HOME/recently-used.xbel) as it was. Run offscreen by ctest, and by
// scripts/check-accessibility on a display with GTK's platform theme, whose own file dialog would
// add the file chosen to that list.

#include "frontends/qt/qt_file_services.h"
#include "frontends/qt/qt_window_system.h"
#include "tests/crypto/message_recorder.h"
#include "tests/frontends/qt/file_contents.h"
#include "tests/ui/fake_navigator.h"
#include "ui/loaded_window.h"
#include "windows/program_windows.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using orvelin::testing::contentOf;
using orvelin::testing::writeFile;

class RecentFilesTest : public QObject {
  Q_OBJECT

private slots:
  void aBrowseAndAnEncryptLeaveTheRecentlyUsedListAsItWas();
};

void RecentFilesTest::aBrowseAndAnEncryptLeaveTheRecentlyUsedListAsItWas() {
  const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
  QVERIFY2(!dataHome.isEmpty(), "run with XDG_DATA_HOME set to a folder of the test's own");
  const QString recent = dataHome + QStringLiteral("/recently-used.xbel");
  const QByteArray listed("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\"></xbel>\n");
  QVERIFY(writeFile(recent, listed));
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("private.txt"));
  QVERIFY(writeFile(file, "not to be remembered\n"));

  orvelin::testing::MessageRecorder boxes;
  orvelin::QtWindowSystem system;
  orvelin::testing::FakeNavigator navigator;
  const orvelin::ProgramWindows windows(orvelin::qtMainWindowServices(boxes));
  orvelin::LoadedWindow main(windows, orvelin::Window::frmMain, system, navigator, [] {});
  main.show();
  QWidget *window = nullptr;
  for (QWidget *each : QApplication::topLevelWidgets()) {
    window = each->objectName() == QStringLiteral("frmMain") ? each : window;
  }
  QVERIFY(window != nullptr && QTest::qWaitForWindowExposed(window));

  // Chooses the file in Qt's own dialog; a dialog of the desktop's, which this test cannot drive,
  // is cancelled and counted.
  bool systemDialog = false;
  QTimer chooser;
  QObject::connect(&chooser, &QTimer::timeout, [&] {
    for (QWidget *each : QApplication::topLevelWidgets()) {
      if (auto *dialog = qobject_cast<QFileDialog *>(each)) {
        chooser.stop();
        systemDialog = !dialog->isVisible();
        if (systemDialog) {
          dialog->reject();
        } else {
          // As a user does: the path typed in the name box, then Enter.
          auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
          name->setText(file);
          QTest::keyClick(name, Qt::Key_Return);
        }
        return;
      }
    }
  });
  chooser.start(100);
  QTest::mouseClick(window->findChild<QLabel *>(QStringLiteral("cmdbrowse")), Qt::LeftButton);
  QVERIFY2(!systemDialog, "Browse showed the desktop's own file dialog");
  QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("txtfilename"))->text(), file);

  window->findChild<QLineEdit *>(QStringLiteral("txtpassword"))->setText(QStringLiteral("pw"));
  QTest::mouseClick(window->findChild<QLabel *>(QStringLiteral("cmdencrypt")), Qt::LeftButton);
  QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblmessage"))->text(),
           QStringLiteral("File encryption complete!"));
  QCOMPARE(contentOf(recent), listed);
}

QTEST_MAIN(RecentFilesTest)
#include "recent_files_test.moc"
