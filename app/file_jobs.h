#pragma once
// The two in-place jobs: read the file whole, drive the engine, and put the result in place of the
// file only once it is safely on disk. Every failure has been shown in a message box (through
// orvelin::showMessageBox) by the time a job returns false, and the file is then exactly as it was;
// that includes a job that cannot get the memory it needs.

#include <QString>

namespace orvelin {

// True when the file at path was rewritten with its encrypted form.
[[nodiscard]] bool EncryptFile(const QString &path, const QString &password);

// True when the file at path was rewritten with its decrypted content.
[[nodiscard]] bool DecryptFile(const QString &path, const QString &password);

} // namespace orvelin
