#pragma once

#include <QString>

#include <functional>

class QFileDialog;
class QWidget;

namespace orvelin {

// Asks the user for a file to open, modally over parent; the full path, or empty after a cancel.
using FileChooser = std::function<QString(QWidget *parent)>;

// The program's file-open dialog: an existing file, through the filters "Text File" (*.txt,
// selected first) and "All Files" (every file, with or without an extension), listed by name alone.
QString chooseFileToOpen(QWidget *parent);

// Sets up a dialog as chooseFileToOpen shows it.
void prepareFileOpenDialog(QFileDialog &dialog);

} // namespace orvelin
