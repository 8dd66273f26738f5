// The main window's handlers, without a toolkit: the checks before a job in their order, with their
// boxes, focus and status; the busy look around the job and the status after it; the file dialog;
// exit, minimise and the links; the job on a thread of its own, its boxes handed back, and its
// progress bar.

#include "app/frmMain_behaviour.h"
#include "app/frmMain_design.h"
#include "base/unicode_text.h"
#include "tests/crypto/message_recorder.h"
#include "tests/ui/fake_navigator.h"
#include "tests/ui/fake_window.h"
#include "ui/job_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace orvelin::testing {
namespace {

const std::u16string encrypting = u"Encrypting file.  Please wait....";
const std::u16string decrypting = u"Decrypting file.  Please wait....";

// Longer than any job here: no bar unless a test asks for one.
constexpr std::chrono::hours noBar{1};

// An event loop with nothing to do but what a test gives it to do on each turn.
class FakePump final : public EventPump {
public:
  explicit FakePump(const std::function<void()> &onTurn) : onTurn_(onTurn) {}

  void pumpFor(std::chrono::milliseconds period) override {
    if (onTurn_) {
      onTurn_();
    }
    std::this_thread::sleep_for(period);
  }

private:
  const std::function<void()> &onTurn_;
};

// How the window looked at a moment inside a click: a message box, or the start of a job.
struct Seen {
  std::u16string status;
  std::optional<std::u16string> paintedStatus;
  bool busy;
  std::thread::id thread = std::this_thread::get_id();
};

struct JobCall {
  std::string job;
  std::u16string path;
  std::u16string password;
  Seen seen;
};

class frmMainBehaviourTest : public ::testing::Test {
public:
  frmMainBehaviourTest(const frmMainBehaviourTest &) = delete;
  frmMainBehaviourTest &operator=(const frmMainBehaviourTest &) = delete;

protected:
  frmMainBehaviourTest()
      : behaviour_(window_, navigator_,
                   {.messages = recorder_,
                    .encryptFile =
                        [this](const std::u16string &path, const std::u16string &password, MessageSink &messages,
                               const JobProgress & /*progress*/) { return job("encrypt", path, password, messages); },
                    .decryptFile =
                        [this](const std::u16string &path, const std::u16string &password, MessageSink &messages,
                               const JobProgress & /*progress*/) { return job("decrypt", path, password, messages); },
                    .findsFile =
                        [this](const std::u16string &name) {
                          lookedUp_.push_back(name);
                          return existing_.contains(name);
                        },
                    .chooseFile =
                        [this](WindowView &owner) {
                          dialogOwners_.push_back(&owner);
                          std::u16string answer = dialogAnswers_.empty() ? u"" : dialogAnswers_.front();
                          if (!dialogAnswers_.empty()) {
                            dialogAnswers_.pop_front();
                          }
                          return answer;
                        },
                    .runJob = backgroundJobRunner(fakePumps(), recorder_, noBar)}) {
    // What the window shows while each box is up.
    recorder_.onShow = [this] { seenAtBoxes_.push_back(seen()); };
  }
  ~frmMainBehaviourTest() override = default;

  [[nodiscard]] PumpMaker fakePumps() {
    return [this](WindowView & /*window*/) { return std::make_unique<FakePump>(onTurn_); };
  }
  [[nodiscard]] Seen seen() const { return {status(), window_.paintedText("lblmessage"), window_.busy()}; }
  [[nodiscard]] std::u16string status() const { return window_.text("lblmessage"); }
  void type(std::u16string_view name, std::u16string_view password) {
    window_.setText("txtfilename", name);
    window_.setText("txtpassword", password);
  }

  bool job(const char *which, const std::u16string &path, const std::u16string &password, MessageSink &messages) {
    jobCalls_.push_back({which, path, password, seen()});
    if (jobShowsBox_) {
      messages.show("Error -2146893819 during CryptDecrypt!", "Lumo Crypto", MessageStyle::Plain);
    }
    return jobSucceeds_;
  }

  MessageRecorder recorder_;
  std::function<void()> onTurn_;
  FakeWindow window_{frmMainDesign};
  FakeNavigator navigator_;
  std::set<std::u16string> existing_{u"/home/user/notes.txt"};
  std::vector<std::u16string> lookedUp_;
  std::deque<std::u16string> dialogAnswers_;
  std::vector<WindowView *> dialogOwners_;
  std::vector<JobCall> jobCalls_;
  bool jobSucceeds_ = true;
  bool jobShowsBox_ = false;
  std::vector<Seen> seenAtBoxes_;
  frmMainBehaviour behaviour_;
};

struct InputCheck {
  const char *tag;
  const char *button;
  std::u16string name;
  std::u16string password;
  std::string text;
  std::string title;
  std::string focus;
  std::vector<std::u16string> lookedUp;
};

TEST_F(frmMainBehaviourTest, InputChecksRefuseInTheirOrderWithTheirBoxAndFocus) {
  const std::string noFile = "Please specify file to encrypt!";
  const std::string invalid = "Invalid file name, or file missing!";
  const std::u16string file = u"/home/user/notes.txt";
  const std::u16string missing = u"/home/user/missing.txt";
  // The password is not looked at before the name is settled, and blanks are not empty.
  const InputCheck checks[] = {
      {"encrypt, both empty", "cmdencrypt", u"", u"", noFile, "No File", "txtfilename", {}},
      {"decrypt, both empty", "cmddecrypt", u"", u"", noFile, "No File", "txtfilename", {}},
      {"empty name, a password", "cmdencrypt", u"", u"pw", noFile, "No File", "txtfilename", {}},
      {"missing file, empty password", "cmdencrypt", missing, u"", invalid, "Invalid File", "txtfilename", {missing}},
      {"decrypt, missing file", "cmddecrypt", missing, u"pw", invalid, "Invalid File", "txtfilename", {missing}},
      {"blanks name", "cmdencrypt", u"   ", u"pw", invalid, "Invalid File", "txtfilename", {u"   "}},
      {"encrypt, empty password",
       "cmdencrypt",
       file,
       u"",
       "Password required for encrypting file!",
       "No Password",
       "txtpassword",
       {file}},
      {"decrypt, empty password",
       "cmddecrypt",
       file,
       u"",
       "Password required for decrypting file!",
       "No Password",
       "txtpassword",
       {file}},
  };
  for (const InputCheck &check : checks) {
    SCOPED_TRACE(check.tag);
    type(check.name, check.password);
    // Focus starts in the other box, so that the check has to move it.
    window_.focus(check.focus == "txtfilename" ? "txtpassword" : "txtfilename");
    recorder_.clear();
    seenAtBoxes_.clear();
    lookedUp_.clear();

    behaviour_.click(check.button);

    EXPECT_EQ(recorder_.messages(), (std::vector<RecordedMessage>{{check.text, check.title, MessageStyle::Critical}}));
    ASSERT_EQ(seenAtBoxes_.size(), 1U);
    const std::u16string &busyText = std::string_view(check.button) == "cmdencrypt" ? encrypting : decrypting;
    EXPECT_EQ(seenAtBoxes_.front().status, busyText);
    EXPECT_EQ(seenAtBoxes_.front().paintedStatus, busyText);
    EXPECT_TRUE(seenAtBoxes_.front().busy);
    EXPECT_EQ(lookedUp_, check.lookedUp);
    EXPECT_EQ(window_.focused(), check.focus);
    EXPECT_EQ(status(), u"");
    EXPECT_FALSE(window_.busy());
    EXPECT_EQ(window_.text("txtfilename"), check.name);
    EXPECT_EQ(window_.text("txtpassword"), check.password);
    EXPECT_TRUE(jobCalls_.empty());
  }
}

struct JobRun {
  const char *button;
  bool succeeds;
  bool showsBox; // as a job that fails does
  const char *job;
  std::u16string status;
};

TEST_F(frmMainBehaviourTest, AJobRunsOnTheTypedInputsUnderTheBusyLookAndItsResultIsTheStatus) {
  const JobRun runs[] = {
      {"cmdencrypt", true, false, "encrypt", u"File encryption complete!"},
      {"cmdencrypt", false, true, "encrypt", u"File encryption failed!"},
      {"cmddecrypt", true, false, "decrypt", u"File decryption complete!"},
      {"cmddecrypt", false, true, "decrypt", u"File decryption failed!"},
  };
  // A password of one blank is a password; the path goes to the job exactly as typed.
  const std::u16string path = u"/home/user/r\u00e9sum\u00e9 \u20ac.txt";
  existing_.insert(path);
  for (const JobRun &run : runs) {
    SCOPED_TRACE(std::string(run.button) + (run.succeeds ? " succeeds" : " fails"));
    type(path, u" ");
    jobCalls_.clear();
    recorder_.clear();
    seenAtBoxes_.clear();
    jobSucceeds_ = run.succeeds;
    jobShowsBox_ = run.showsBox;

    behaviour_.click(run.button);

    ASSERT_EQ(jobCalls_.size(), 1U);
    const JobCall &call = jobCalls_.front();
    EXPECT_EQ(call.job, run.job);
    EXPECT_EQ(call.path, path);
    EXPECT_EQ(call.password, u" ");
    const std::u16string &busyText = std::string_view(run.job) == "encrypt" ? encrypting : decrypting;
    EXPECT_EQ(call.seen.status, busyText);
    EXPECT_EQ(call.seen.paintedStatus, busyText);
    EXPECT_TRUE(call.seen.busy);
    // The window's thread stays free for its events while the job works.
    EXPECT_NE(call.seen.thread, std::this_thread::get_id());
    // The job's own box comes while the window still looks busy, and on the window's thread.
    EXPECT_EQ(recorder_.messages().size(), run.showsBox ? 1U : 0U);
    for (const Seen &atBox : seenAtBoxes_) {
      EXPECT_EQ(atBox.paintedStatus, busyText);
      EXPECT_TRUE(atBox.busy);
      EXPECT_EQ(atBox.thread, std::this_thread::get_id());
    }
    EXPECT_EQ(status(), run.status);
    EXPECT_FALSE(window_.busy());
    EXPECT_EQ(window_.text("txtfilename"), path);
    EXPECT_EQ(window_.text("txtpassword"), u" ");
  }
}

struct ProgressCase {
  const char *tag;
  std::chrono::milliseconds delay;
  bool barSeen;
};

TEST_F(frmMainBehaviourTest, TheProgressBarShowsTheJobsProgressOnlyOnceTheDelayIsOverAndGoesWithIt) {
  const ProgressCase cases[] = {{"a job that outlasts the delay", std::chrono::milliseconds(0), true},
                                {"a job shorter than the delay", noBar, false}};
  for (const ProgressCase &each : cases) {
    SCOPED_TRACE(each.tag);
    FakeWindow window(frmMainDesign);
    window.setText("txtfilename", u"/home/user/notes.txt");
    window.setText("txtpassword", u"pw");
    // The job goes on once the bar is seen, or the loop has turned often enough to have shown it.
    std::atomic<bool> goOn{false};
    int turns = 0;
    std::optional<double> barSeenAt;
    std::optional<bool> barAtBox;
    onTurn_ = [&] {
      if (window.isVisible("jobprogress") && !barSeenAt) {
        barSeenAt = window.progress("jobprogress");
      }
      goOn = barSeenAt.has_value() || ++turns >= 5;
    };
    recorder_.onShow = [&] { barAtBox = window.isVisible("jobprogress"); };
    frmMainBehaviour behaviour(
        window, navigator_,
        {.messages = recorder_,
         .encryptFile =
             [&](const std::u16string &, const std::u16string &, MessageSink &messages, const JobProgress &progress) {
               progress(0.25);
               while (!goOn) {
                 std::this_thread::yield();
               }
               progress(0.5);
               messages.show("Error 8 during CryptEncrypt!", "Lumo Crypto", MessageStyle::Plain);
               return false;
             },
         .findsFile = [](const std::u16string &) { return true; },
         .runJob = backgroundJobRunner(fakePumps(), recorder_, each.delay)});

    behaviour.click("cmdencrypt");

    EXPECT_EQ(barSeenAt, each.barSeen ? std::optional<double>(0.25) : std::nullopt);
    // A box the job shows comes before the bar goes.
    EXPECT_EQ(barAtBox, each.barSeen);
    EXPECT_FALSE(window.isVisible("jobprogress"));
    EXPECT_EQ(window.text("lblmessage"), u"File encryption failed!");
  }
}

struct BrowseCase {
  const char *tag;
  std::vector<std::u16string> answers; // one per Browse click; empty is a cancel
  std::u16string nameAfter;
};

TEST_F(frmMainBehaviourTest, BrowsePutsTheFileConfirmedLastInThisWindowInTheNameBox) {
  const BrowseCase cases[] = {
      {"confirm", {u"/home/user/a.txt"}, u"/home/user/a.txt"},
      {"second confirm", {u"/home/user/a.txt", u"/home/user/b"}, u"/home/user/b"},
      {"cancel after a confirm", {u"/home/user/a.txt", u""}, u"/home/user/a.txt"},
      {"cancels after a confirm", {u"/home/user/a.txt", u"", u""}, u"/home/user/a.txt"},
      {"cancel at first use", {u""}, u""},
      {"confirm after a cancel", {u"", u"/home/user/a.txt"}, u"/home/user/a.txt"},
  };
  for (const BrowseCase &each : cases) {
    SCOPED_TRACE(each.tag);
    // The confirmed file lives as long as the window: every case starts on a fresh one.
    FakeWindow window(frmMainDesign);
    frmMainBehaviour behaviour(window, navigator_, {.messages = recorder_, .chooseFile = [this](WindowView &owner) {
                                                      dialogOwners_.push_back(&owner);
                                                      std::u16string answer = dialogAnswers_.front();
                                                      dialogAnswers_.pop_front();
                                                      return answer;
                                                    }});
    dialogAnswers_.assign(each.answers.begin(), each.answers.end());
    dialogOwners_.clear();
    window.setText("txtpassword", u"pw");

    for (std::size_t i = 0; i < each.answers.size(); ++i) {
      // Whatever was typed in between, the dialog's answer replaces it.
      window.setText("txtfilename", u"typed.txt");
      behaviour.click("cmdbrowse");
    }

    EXPECT_EQ(window.text("txtfilename"), each.nameAfter);
    EXPECT_EQ(dialogOwners_, std::vector<WindowView *>(each.answers.size(), &window));
    EXPECT_EQ(window.text("txtpassword"), u"pw");
    EXPECT_EQ(window.text("lblmessage"), u"");
    EXPECT_FALSE(window.busy());
    EXPECT_EQ(window.paintedText("lblmessage"), std::nullopt);
    EXPECT_TRUE(recorder_.messages().empty());
  }
}

TEST_F(frmMainBehaviourTest, OneDroppedFileThatTheLookUpFindsBecomesTheNameAndNothingElseChanges) {
  const std::u16string file = u"/home/user/notes.txt";
  const struct {
    const char *tag;
    std::vector<std::u16string> dropped;
    std::u16string nameAfter;
  } cases[] = {
      {"one file", {file}, file},
      {"two files", {file, file}, u"typed.txt"},
      {"a folder or a missing file, which the look-up does not find", {u"/home/user"}, u"typed.txt"},
      {"nothing local", {}, u"typed.txt"},
  };
  for (const auto &each : cases) {
    SCOPED_TRACE(each.tag);
    FakeWindow window(frmMainDesign);
    frmMainBehaviour behaviour(window, navigator_,
                               {.messages = recorder_,
                                .findsFile = [this](const std::u16string &name) { return existing_.contains(name); },
                                .chooseFile = [](WindowView &) { return std::u16string(); }});
    window.setText("txtfilename", u"typed.txt");
    window.setText("txtpassword", u"pw");
    window.setText("lblmessage", u"File encryption complete!");

    behaviour.filesDropped(each.dropped);

    EXPECT_EQ(window.text("txtfilename"), each.nameAfter);
    EXPECT_EQ(window.text("txtpassword"), u"pw");
    EXPECT_EQ(window.text("lblmessage"), u"File encryption complete!");
    EXPECT_FALSE(window.busy());
    EXPECT_TRUE(recorder_.messages().empty());
    // A cancelled Browse afterwards gives back the dropped file, as it would a confirmed one.
    behaviour.click("cmdbrowse");
    EXPECT_EQ(window.text("txtfilename"), each.nameAfter == file ? file : u"");
  }
}

TEST_F(frmMainBehaviourTest, AHandedFileIsTheNameAsGivenWithTheFocusInThePasswordBox) {
  // A missing file too: Encrypt or Decrypt gives it its usual box.
  for (const std::u16string handed : {u"/home/user/notes.txt", u"/home/user/missing.txt"}) {
    SCOPED_TRACE(utf8FromUtf16(handed));
    FakeWindow window(frmMainDesign);
    frmMainBehaviour behaviour(window, navigator_,
                               {.messages = recorder_,
                                .findsFile = [this](const std::u16string &name) { return existing_.contains(name); },
                                .chooseFile = [](WindowView &) { return std::u16string(); }},
                               handed);
    window.focus("txtfilename");

    behaviour.load();

    EXPECT_EQ(window.text("txtfilename"), handed);
    EXPECT_EQ(window.focused(), "txtpassword");
    EXPECT_EQ(window.text("lblmessage"), u"");
    EXPECT_TRUE(recorder_.messages().empty());
    // A cancelled Browse gives it back, as it would a confirmed file.
    window.setText("txtfilename", u"typed.txt");
    behaviour.click("cmdbrowse");
    EXPECT_EQ(window.text("txtfilename"), handed);
  }
  // Without one, the window loads as it always has.
  window_.focus("txtfilename");
  behaviour_.load();
  EXPECT_EQ(window_.text("txtfilename"), u"");
  EXPECT_EQ(window_.focused(), "txtfilename");
}

TEST_F(frmMainBehaviourTest, ExitEndsTheProgramAndMinimiseMinimises) {
  behaviour_.click("Label3");
  EXPECT_TRUE(window_.minimised());
  EXPECT_EQ(navigator_.ends, 0);

  behaviour_.click("Label2");
  EXPECT_EQ(navigator_.ends, 1);
  EXPECT_TRUE(navigator_.shown.empty());
}

TEST_F(frmMainBehaviourTest, LinksLeaveForTheirWindow) {
  const std::pair<const char *, Window> links[] = {
      {"Label4", Window::About}, {"Label5", Window::Help}, {"securitykey", Window::softinf}};
  for (const auto &[label, target] : links) {
    SCOPED_TRACE(label);
    navigator_.shown.clear();
    behaviour_.click(label);
    EXPECT_EQ(navigator_.shown, std::vector<Window>{target});
  }
  EXPECT_EQ(navigator_.ends, 0);
  EXPECT_FALSE(window_.minimised());
}

} // namespace
} // namespace orvelin::testing
