#include "password_encoding.h"

#include "crypto/message_box.h"
#include "crypto/secure_wipe.h"

#include <QList>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <iterator>

namespace orvelin {
namespace {

// Windows-1252 is Latin-1 but for 0x80..0x9F, where it puts these characters. The five bytes it
// leaves undefined map to the C1 controls of the same value, as Windows' own conversion does.
constexpr std::array<char32_t, 32> highBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> windows1252Byte(char32_t character) {
  if (const auto *found = std::find(highBlock.begin(), highBlock.end(), character); found != highBlock.end()) {
    return static_cast<char>(0x80 + std::distance(highBlock.begin(), found));
  }
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<char>(character);
  }
  return std::nullopt;
}

QString describe(char32_t character) {
  return QStringLiteral("\"%1\" (U+%2)")
      .arg(QString::fromUcs4(&character, 1),
           QString::number(static_cast<uint>(character), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

} // namespace

bool passwordForService(const QString &password, std::string &bytes) {
  QList<uint> characters = password.toUcs4();
  const auto wipeCharacters = qScopeGuard(
      [&characters] { wipe(characters.data(), static_cast<std::size_t>(characters.size()) * sizeof(uint)); });
  // Room for every byte at once, so that no outgrown buffer is left behind holding part of it.
  bytes.reserve(static_cast<std::size_t>(characters.size()));
  for (const char32_t character : characters) {
    const std::optional<char> byte = windows1252Byte(character);
    if (!byte) {
      wipe(bytes);
      showMessageBox(QStringLiteral("The character %1 cannot be used in a password: encrypted files take passwords "
                                    "in the Windows-1252 character set, which does not have it.")
                         .arg(describe(character))
                         .toStdString(),
                     "Invalid Password", MessageStyle::Critical);
      return false;
    }
    bytes.push_back(*byte);
  }
  return true;
}

} // namespace orvelin
