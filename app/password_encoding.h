#pragma once

#include <QString>

#include <string>

namespace orvelin {

// The password as the Windows-1252 bytes a Windows user's typing gives the service, so that a
// password typed here and there makes the same key. A character that has no byte there is refused
// with an "Invalid Password" box (Windows would silently turn it into "?", weakening the password).
// The bytes go to the caller's string, which the caller wipes; false when refused.
bool passwordForService(const QString &password, std::string &bytes);

} // namespace orvelin
