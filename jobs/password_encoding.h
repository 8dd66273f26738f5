#pragma once

#include "base/message_sink.h"

#include <string>
#include <string_view>

namespace orvelin {

// The typed password as the bytes a Windows user's typing gives the service (code_page.h), so that
// a password typed here and there makes the same key. A character that has no byte there is
// refused with an "Invalid Password" box in messages (Windows would silently turn it into "?", weakening the
// password). The bytes go to the caller's string, which the caller wipes; false when refused.
bool passwordForService(std::u16string_view password, std::string &bytes, MessageSink &messages);

} // namespace orvelin
