#pragma once
// Every message box of the program goes through showMessageBox: modal, an OK button only, a text,
// a title and an icon. The crypto layer knows no toolkit; the program installs the presenter that
// draws real boxes, and tests install one that records.

#include <functional>
#include <string>

namespace orvelin {

// The style values of the boxes: which icon, if any.
enum class MessageStyle : int { Plain = 0, Critical = 16, Information = 64 };

using MessagePresenter = std::function<void(const std::string &text, const std::string &title, MessageStyle style)>;

// Returns once the user has closed the box.
void showMessageBox(const std::string &text, const std::string &title, MessageStyle style);

// Installs a presenter and returns the one it replaces. Without one, boxes are written to standard error.
MessagePresenter setMessagePresenter(MessagePresenter replacement);

} // namespace orvelin
