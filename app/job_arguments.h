#pragma once
// The window's texts as the file jobs take them.

#include <QFile>
#include <QString>
#include <QStringView>

#include <filesystem>
#include <string_view>

namespace orvelin {

// The path in the file system's own encoding, as Qt itself would open it.
inline std::filesystem::path jobPath(const QString &text) { return QFile::encodeName(text).toStdString(); }

// The text box's own characters, not a copy that would have to be wiped as well.
inline std::u16string_view jobPassword(const QString &text) {
  return {QStringView(text).utf16(), static_cast<std::size_t>(text.size())};
}

} // namespace orvelin
