#include "frmMain_behaviour.h"

#include "base/message_sink.h"
#include "base/secure_wipe.h"
#include "base/unicode_text.h"
#include "frmMain_design.h"
#include "jobs/job_texts.h"

#include <optional>
#include <utility>

namespace orvelin {
namespace {

// The window's own texts are ASCII.
std::u16string utf16(std::string_view latin1) {
  std::u16string text;
  for (const char character : latin1) {
    text.push_back(static_cast<unsigned char>(character));
  }
  return text;
}

// The password as the view gave it, wiped however the job ends.
class TypedPassword {
public:
  explicit TypedPassword(std::u16string text) : text_(std::move(text)) {}
  TypedPassword(const TypedPassword &) = delete;
  TypedPassword &operator=(const TypedPassword &) = delete;
  ~TypedPassword() { wipe(text_.data(), text_.capacity() * sizeof(char16_t)); }

  [[nodiscard]] const std::u16string &text() const { return text_; }

private:
  std::u16string text_;
};

// A missing or unusable input: what the user is told, and the box to correct.
struct InputProblem {
  const char *text;
  const char *title;
  std::string_view box;
};

// The checks in their order; the first that fails is the only one reported.
std::optional<InputProblem> findInputProblem(const std::u16string &path, const std::u16string &password,
                                             const JobTexts &texts, const MainWindowServices &services) {
  if (path.empty()) {
    return InputProblem{noFileText, noFileTitle, frmMainControls::fileName};
  }
  if (!services.findsFile(path)) {
    return InputProblem{missingFileText, missingFileTitle, frmMainControls::fileName};
  }
  if (password.empty()) {
    return InputProblem{texts.passwordMissing, noPasswordTitle, frmMainControls::password};
  }
  return std::nullopt;
}

} // namespace

frmMainBehaviour::frmMainBehaviour(WindowView &view, Navigator &navigator, MainWindowServices services,
                                   std::u16string handedFile)
    : view_(view), navigator_(navigator), services_(std::move(services)), confirmedFile_(std::move(handedFile)) {}

void frmMainBehaviour::load() {
  // Not looked up here: a missing file or a folder gets its usual box from Encrypt or Decrypt.
  if (!confirmedFile_.empty()) {
    view_.setText(frmMainControls::fileName, confirmedFile_);
    view_.focus(frmMainControls::password);
  }
}

void frmMainBehaviour::click(std::string_view control) {
  if (control == frmMainControls::encrypt) {
    runFileJob(encryptionTexts, services_.encryptFile);
  } else if (control == frmMainControls::decrypt) {
    runFileJob(decryptionTexts, services_.decryptFile);
  } else if (control == frmMainControls::browse) {
    browse();
  } else if (control == frmMainControls::exit) {
    navigator_.endProgram();
  } else if (control == frmMainControls::minimise) {
    view_.minimise();
  } else if (control == frmMainControls::about) {
    navigator_.show(Window::About);
  } else if (control == frmMainControls::help) {
    navigator_.show(Window::Help);
  } else if (control == frmMainControls::securityKey) {
    navigator_.show(Window::softinf);
  }
}

void frmMainBehaviour::runFileJob(const JobTexts &texts, const FileJob &job) {
  view_.setBusyPointer(true);
  view_.setText(frmMainControls::status, utf16(texts.busy));
  // The busy look is on the screen before the first check's box, which may come before any event
  // loop runs.
  view_.paintNow();
  const std::u16string path = view_.text(frmMainControls::fileName);
  const TypedPassword password(view_.text(frmMainControls::password));
  if (const std::optional<InputProblem> problem = findInputProblem(path, password.text(), texts, services_)) {
    services_.messages.show(problem->text, problem->title, MessageStyle::Critical);
    view_.focus(problem->box);
    view_.setBusyPointer(false);
    view_.setText(frmMainControls::status, u"");
    return;
  }
  bool done = false;
  try {
    done = services_.runJob(view_, frmMainControls::progress,
                            [&job, &path, &password](MessageSink &messages, const JobProgress &progress) {
                              return job(path, password.text(), messages, progress);
                            });
  } catch (...) {
    reportJobFault(texts, path, currentFaultReason());
  }
  view_.setBusyPointer(false);
  view_.setText(frmMainControls::status, utf16(done ? texts.complete : texts.failed));
}

void frmMainBehaviour::reportJobFault(const JobTexts &texts, const std::u16string &path, std::string_view reason) {
  services_.messages.show(cannotText(texts.action, utf8FromUtf16(path)) + std::string(reason) + ".", "File Error",
                          MessageStyle::Critical);
}

void frmMainBehaviour::browse() {
  if (std::u16string chosen = services_.chooseFile(view_); !chosen.empty()) {
    confirmedFile_ = std::move(chosen);
  }
  view_.setText(frmMainControls::fileName, confirmedFile_);
}

void frmMainBehaviour::filesDropped(const std::vector<std::u16string> &files) {
  if (files.size() == 1 && services_.findsFile(files.front())) {
    confirmedFile_ = files.front();
    view_.setText(frmMainControls::fileName, confirmedFile_);
  }
}

} // namespace orvelin
