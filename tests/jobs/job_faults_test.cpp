// A job that throws, wherever it throws: in the job, in its report of progress, in the window's
// event loop, in a box. The window ends it with a "File Error" box naming the file, the file is as
// it was, and the window takes the next job as if nothing had happened.

#include "app/frmMain_behaviour.h"
#include "app/frmMain_design.h"
#include "job_folder.h"
#include "jobs/file_jobs.h"
#include "jobs/job_texts.h"
#include "tests/crypto/engine_runs.h"
#include "tests/ui/fake_navigator.h"
#include "tests/ui/fake_window.h"
#include "ui/job_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <utility>

namespace orvelin::testing {
namespace {

namespace fs = std::filesystem;

// The encryption's last three percent are its writing.
constexpr double encryptionWritingStarts = 0.97;

std::u16string utf16(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

// An event loop that does nothing, or throws once when a case says so.
class FaultyPump final : public EventPump {
public:
  FaultyPump(std::atomic<bool> &throwsNow, std::atomic<bool> &threw) : throwsNow_(throwsNow), threw_(threw) {}

  void pumpFor(std::chrono::milliseconds period) override {
    if (throwsNow_.exchange(false)) {
      threw_ = true;
      throw std::runtime_error("the event loop broke");
    }
    std::this_thread::sleep_for(period);
  }

private:
  std::atomic<bool> &throwsNow_;
  std::atomic<bool> &threw_;
};

class JobFaults : public JobFolder {
protected:
  // The job of the next click, once; the real job after it.
  FileJob realOr(bool encrypting) {
    return [this, encrypting](const std::u16string &path, const std::u16string &password, MessageSink &messages,
                              const JobProgress &progress) {
      if (FileJob once = std::exchange(nextJob_, {})) {
        return once(path, password, messages, progress);
      }
      return encrypting ? EncryptFile(fs::path(path), password, messages, progress)
                        : DecryptFile(fs::path(path), password, messages, progress);
    };
  }

  void click(const fs::path &file, const std::u16string &password, const char *button) {
    window_.setText("txtfilename", file.u16string());
    window_.setText("txtpassword", password);
    behaviour_.click(button);
  }

  FileJob nextJob_;
  std::atomic<bool> pumpThrowsNow_{false};
  std::atomic<bool> pumpThrew_{false};
  FakeWindow window_{frmMainDesign};
  FakeNavigator navigator_;
  frmMainBehaviour behaviour_{
      window_, navigator_,
      MainWindowServices{.messages = boxes,
                         .encryptFile = realOr(true),
                         .decryptFile = realOr(false),
                         .findsFile = [](const std::u16string &) { return true; },
                         .chooseFile = {},
                         // No delay: the bar is up at the first turn, and must be gone however the job ends.
                         .runJob = backgroundJobRunner(
                             [this](WindowView &) { return std::make_unique<FaultyPump>(pumpThrowsNow_, pumpThrew_); },
                             boxes, std::chrono::milliseconds(0))}};
};

// The real job, reporting its progress through report.
FileJob realJob(bool encrypting, std::function<void(const JobProgress &progress, double fraction)> report) {
  return [encrypting, report = std::move(report)](const std::u16string &path, const std::u16string &password,
                                                  MessageSink &messages, const JobProgress &progress) {
    const JobProgress reporting = [&](double fraction) { report(progress, fraction); };
    return encrypting ? EncryptFile(fs::path(path), password, messages, reporting)
                      : DecryptFile(fs::path(path), password, messages, reporting);
  };
}

TEST_F(JobFaults, EndInAFileErrorBoxWithTheFileAsItWasAndTheWindowGoesOn) {
  const std::string plain = randomBytes(3 << 20);
  struct Case {
    const char *place;
    bool encrypting;
    std::string reason; // what the box says after the file's name
    std::function<void()> arrange;
  };
  const Case cases[] = {
      {"the job, with what is no exception class", true, "an unexpected error occurred.",
       [this] {
         nextJob_ = [](const std::u16string &, const std::u16string &, MessageSink &, const JobProgress &) -> bool {
           throw 42;
         };
       }},
      {"the job's report of progress, part-way through writing", true,
       "the report broke. The file has not been changed.",
       [this] {
         nextJob_ = realJob(true, [](const JobProgress &progress, double fraction) {
           if (fraction > encryptionWritingStarts) {
             throw std::runtime_error("the report broke");
           }
           progress(fraction);
         });
       }},
      {"the job's report of progress, while the slices before are being written", true,
       "the report broke. The file has not been changed.",
       [this] {
         nextJob_ = realJob(true, [](const JobProgress &progress, double fraction) {
           if (fraction > encryptionWritingStarts / 2) {
             throw std::runtime_error("the report broke");
           }
           progress(fraction);
         });
       }},
      {"the window's event loop", true, "the event loop broke.",
       [this] {
         pumpThrowsNow_ = true;
         // The job goes on only once the loop has thrown, and then must be stopped at its next report.
         nextJob_ = realJob(true, [this](const JobProgress &progress, double fraction) {
           while (!pumpThrew_) {
             std::this_thread::yield();
           }
           for (;;) {
             progress(fraction);
             std::this_thread::yield();
           }
         });
       }},
      {"the box of the job", false, "the box broke.",
       [this] {
         boxes.onShow = [this] {
           boxes.onShow = {};
           throw std::runtime_error("the box broke");
         };
       }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.place);
    const JobTexts &texts = c.encrypting ? encryptionTexts : decryptionTexts;
    const std::string before = c.encrypting ? plain : sealAndEncrypt("pw", plain, boxes);
    const fs::path file = put("notes.txt", before);
    boxes.clear();
    c.arrange();

    // A wrong password makes the decryption's engine show its box.
    click(file, c.encrypting ? u"pw" : u"wrong", c.encrypting ? "cmdencrypt" : "cmddecrypt");

    EXPECT_EQ(boxes.messages(), fileErrors(cannotText(texts.action, shown(file)) + c.reason));
    EXPECT_EQ(contentOf(file), before);
    EXPECT_EQ(entries(), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(window_.text("lblmessage"), utf16(texts.failed));
    EXPECT_FALSE(window_.busy());
    EXPECT_FALSE(window_.isVisible("jobprogress"));

    boxes.clear();
    click(file, u"pw", c.encrypting ? "cmdencrypt" : "cmddecrypt");
    EXPECT_EQ(window_.text("lblmessage"), utf16(texts.complete));
    EXPECT_TRUE(boxes.messages().empty());
  }
}

} // namespace
} // namespace orvelin::testing
