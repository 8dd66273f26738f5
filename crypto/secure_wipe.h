#pragma once

#include <string>

namespace orvelin {

// Overwrites the bytes of a secret in a way the compiler may not optimise away, then empties it.
void wipe(std::string &secret);

} // namespace orvelin
