#pragma once
// The words that the main window and orvelin-cli both use for a job: its input checks and its status.

#include <exception>
#include <string>
#include <string_view>

namespace orvelin {

// "Cannot <action> "<file>": ", the start of the box of every file a job could not rewrite; file
// is UTF-8.
inline std::string cannotText(std::string_view action, std::string_view file) {
  std::string text = "Cannot ";
  text.append(action).append(" \"").append(file).append("\": ");
  return text;
}

// Inside a catch block: what the exception being handled says, for a box that ends a job it broke.
inline std::string currentFaultReason() {
  try {
    throw;
  } catch (const std::exception &error) {
    return error.what();
  } catch (...) {
    return "an unexpected error occurred";
  }
}

struct JobTexts {
  const char *action;          // as a failure's box names it: "Cannot <action> ..."
  const char *busy;            // while the job runs
  const char *passwordMissing; // the refusal of an empty password
  const char *complete;        // the file was rewritten
  const char *failed;          // it was not
};

inline constexpr JobTexts encryptionTexts{"encrypt", "Encrypting file.  Please wait....",
                                          "Password required for encrypting file!", "File encryption complete!",
                                          "File encryption failed!"};
inline constexpr JobTexts decryptionTexts{"decrypt", "Decrypting file.  Please wait....",
                                          "Password required for decrypting file!", "File decryption complete!",
                                          "File decryption failed!"};

// The checks before any job, with the titles of their boxes. Decryption asks for a file to
// "encrypt" too: the window has always said so.
inline constexpr const char *noFileText = "Please specify file to encrypt!";
inline constexpr const char *noFileTitle = "No File";
inline constexpr const char *missingFileText = "Invalid file name, or file missing!";
inline constexpr const char *missingFileTitle = "Invalid File";
inline constexpr const char *noPasswordTitle = "No Password";

} // namespace orvelin
