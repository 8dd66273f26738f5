#include "file_open_dialog.h"

#include <QFileDialog>

namespace orvelin {

QString chooseFileToOpen(QWidget *parent) {
  QFileDialog dialog(parent);
  prepareFileOpenDialog(dialog);
  if (dialog.exec() != QDialog::Accepted) {
    return {};
  }
  return dialog.selectedFiles().value(0);
}

void prepareFileOpenDialog(QFileDialog &dialog) {
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // The list shows the filters by name alone, as the design words them; the patterns still apply.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  // Qt's own dialog: the desktop's (GTK's, through its platform theme) would add the file chosen to
  // the desktop's list of recently used files, a list of what was protected.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  const QString textFiles = QStringLiteral("Text File (*.txt)");
  dialog.setNameFilters({textFiles, QStringLiteral("All Files (*)")});
  dialog.selectNameFilter(textFiles);
}

} // namespace orvelin
