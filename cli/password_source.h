#pragma once
// The password from where the command line says, and usable for every file, or the one line that
// says why there is none.

#include "cli_options.h"
#include "password_input.h"

#include <optional>
#include <string>

namespace orvelin::cli {

struct PasswordOutcome {
  std::optional<Password> password;
  std::string problem; // what follows "orvelin-cli: " when there is none
  int exitStatus = 0;  // to end with when there is none
};

// Asks on the terminal unless the options name another source. A password that every job would
// refuse (empty, or with a character the service's code page lacks) is refused here, once.
PasswordOutcome obtainPassword(const Options &options);

} // namespace orvelin::cli
