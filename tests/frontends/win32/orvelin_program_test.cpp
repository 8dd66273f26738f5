// orvelin.exe as a user meets it, started as its own process and driven from outside through window
// messages: the splash, then the main window; an input check's box; a file encrypted and decrypted
// through the window, and one encrypted through a screen reader's press (Microsoft Active
// Accessibility across processes); the file dialog; About's groups; the exit. The tests share one run of the
// program and follow one another, as a user's visit would.

#include "accessible_objects.h"
#include "app/frmMain_design.h"
#include "base/windows_api.h"
#include "frontends/win32/window_dpi.h"
#include "other_process_windows.h"
#include "tests/jobs/deep_file.h"
#include "ui/accessibility.h"
#include "windows/About_design.h"
#include "windows/Startup_design.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace orvelin::win32 {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t windowClass[] = L"OrvelinWindow";
constexpr wchar_t dialogClass[] = L"#32770";

std::wstring wide(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

const ControlDesign &designed(const WindowDesign &window, std::string_view name) {
  return window.controls[controlIndex(window, name)];
}

bool hasClientSizeOf(HWND window, const WindowDesign &design) {
  const SIZE size = clientSize(window);
  const Size expected = pixelsFromTwips(design.clientSize, static_cast<int>(windowDpi(window)));
  return size.cx == expected.width && size.cy == expected.height;
}

std::string contentOf(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write(const std::filesystem::path &file, std::string_view content) {
  std::ofstream(file, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
}

class OrvelinProgram : public ::testing::Test {
protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  // The program's one visible window of its own, if it shows exactly one.
  static HWND onlyWindow() {
    const std::vector<HWND> windows = visibleWindows(process_.dwProcessId, windowClass);
    return windows.size() == 1 ? windows.front() : nullptr;
  }
  // Waits until the program shows only the window of the design, and returns it.
  static HWND waitForOnly(const WindowDesign &design) {
    HWND shown = nullptr;
    waitFor([&] {
      shown = onlyWindow();
      return shown != nullptr && textOf(shown) == wide(design.caption) && hasClientSizeOf(shown, design);
    });
    return shown;
  }
  static HWND control(HWND window, const WindowDesign &design, std::string_view name) {
    return controlAt(window, designed(design, name));
  }
  // The message box the program shows, once it is up.
  static HWND waitForBox() {
    HWND box = nullptr;
    waitFor([&] {
      const std::vector<HWND> boxes = visibleWindows(process_.dwProcessId, dialogClass);
      box = boxes.empty() ? nullptr : boxes.front();
      return box != nullptr;
    });
    return box;
  }
  static std::wstring status(HWND main) { return textOf(control(main, frmMainDesign, "lblmessage")); }

  static PROCESS_INFORMATION process_;
  static std::chrono::steady_clock::time_point started_;
  static std::filesystem::path folder_;
};

PROCESS_INFORMATION OrvelinProgram::process_{};
std::chrono::steady_clock::time_point OrvelinProgram::started_{};
std::filesystem::path OrvelinProgram::folder_{};

void OrvelinProgram::SetUpTestSuite() {
  // For the program's accessible objects.
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  folder_ = std::filesystem::temp_directory_path() / ("orvelin-program-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(folder_);
  // Wine's drive Z: is the Unix root, so the build's path names the program whatever the folder.
  std::wstring program = L"Z:" ORVELIN_PROGRAM_PATH;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  started_ = std::chrono::steady_clock::now();
  ASSERT_NE(CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                           &process_),
            FALSE)
      << "cannot start " << std::filesystem::path(program).string();
}

void OrvelinProgram::TearDownTestSuite() {
  if (process_.hProcess != nullptr) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
  CoUninitialize();
}

TEST_F(OrvelinProgram, ShowsTheSplashThenOnlyTheMainWindowAfterFourSeconds) {
  ASSERT_NE(waitForOnly(StartupDesign), nullptr) << "no splash";
  const HWND main = waitForOnly(frmMainDesign);
  ASSERT_NE(main, nullptr) << "no main window, or the splash stayed";
  // The splash's timer starts after the program has, so four seconds is the least it can take.
  EXPECT_GE(std::chrono::steady_clock::now() - started_, 4000ms);
  EXPECT_EQ(focusOfThread(main), control(main, frmMainDesign, "txtfilename"));
}

TEST_F(OrvelinProgram, AnEncryptWithoutAFileNameShowsItsBox) {
  const HWND main = waitForOnly(frmMainDesign);
  ASSERT_NE(main, nullptr);
  click(control(main, frmMainDesign, "cmdencrypt"));

  const HWND box = waitForBox();
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(textOf(box), L"No File");
  EXPECT_NE(childWithText(box, L"Please specify file to encrypt!"), nullptr);
  EXPECT_EQ(GetWindow(box, GW_OWNER), main);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

  EXPECT_TRUE(waitFor([&] { return IsWindow(box) == FALSE && status(main).empty(); }));
  EXPECT_EQ(focusOfThread(main), control(main, frmMainDesign, "txtfilename"));
}

TEST_F(OrvelinProgram, EncryptsAndDecryptsAFileThroughTheWindow) {
  const HWND main = waitForOnly(frmMainDesign);
  ASSERT_NE(main, nullptr);
  const std::string content("first line\r\nsecond\0line\n", 24);
  const std::filesystem::path file = folder_ / L"r\u00e9sum\u00e9 \u65e5\u672c.txt";
  write(file, content);
  // A letter and a sign beyond ASCII that Windows-1252 has.
  const std::wstring password = L"caf\u00e9 \u20acuro";
  type(control(main, frmMainDesign, "txtfilename"), file.wstring());
  type(control(main, frmMainDesign, "txtpassword"), password);

  click(control(main, frmMainDesign, "cmdencrypt"));
  ASSERT_TRUE(waitFor([&] { return status(main) == L"File encryption complete!"; })) << "status: " << status(main);
  const std::string encrypted = contentOf(file);
  EXPECT_NE(encrypted, content);
  EXPECT_EQ(encrypted.size() % 8, 0U) << "not whole cipher blocks";
  // For scripts/check-windows, which opens the file with the Linux build.
  if (const char *exported = std::getenv("ORVELIN_WINDOW_EXPORT")) {
    write(std::filesystem::path(exported) / "plain", content);
    write(std::filesystem::path(exported) / "encrypted", encrypted);
    write(std::filesystem::path(exported) / "password", "caf\xc3\xa9 \xe2\x82\xacuro");
  }

  click(control(main, frmMainDesign, "cmddecrypt"));
  ASSERT_TRUE(waitFor([&] { return status(main) == L"File decryption complete!"; })) << "status: " << status(main);
  EXPECT_EQ(contentOf(file), content);
}

TEST_F(OrvelinProgram, AScreenReaderEncryptsAFileByPressingEncrypt) {
  const HWND main = waitForOnly(frmMainDesign);
  ASSERT_NE(main, nullptr);
  const std::string content("pressed, not clicked\n");
  const std::filesystem::path file = folder_ / L"pressed.txt";
  write(file, content);
  replaceText(control(main, frmMainDesign, "txtfilename"), file.wstring());
  replaceText(control(main, frmMainDesign, "txtpassword"), L"read aloud");

  const ControlDesign &encrypt = designed(frmMainDesign, "cmdencrypt");
  const ComPtr<IAccessible> button = accessibleObjectOf(control(main, frmMainDesign, encrypt.name));
  ASSERT_NE(button, nullptr) << "no accessible object from the other process";
  EXPECT_EQ(accessibleText(button, &IAccessible::get_accName), wide(accessibleOf(frmMainDesign, encrypt).name));
  ASSERT_EQ(button->accDoDefaultAction(self()), S_OK);
  ASSERT_TRUE(waitFor([&] { return status(main) == L"File encryption complete!"; })) << "status: " << status(main);
  EXPECT_NE(contentOf(file), content);
}

TEST_F(OrvelinProgram, BrowseAsksOverTheMainWindowAndACancelEmptiesTheName) {
  const HWND main = waitForOnly(frmMainDesign);
  ASSERT_NE(main, nullptr);
  const HWND name = control(main, frmMainDesign, "txtfilename");
  ASSERT_FALSE(textOf(name).empty());
  click(control(main, frmMainDesign, "cmdbrowse"));

  const HWND dialog = waitForBox();
  ASSERT_NE(dialog, nullptr) << "no file dialog";
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);

  EXPECT_TRUE(waitFor([&] { return IsWindow(dialog) == FALSE && textOf(name).empty(); }));
}

TEST_F(OrvelinProgram, AboutSwitchesItsGroupsAndLeadsBackToAFreshMainWindow) {
  HWND main = waitForOnly(frmMainDesign);
  ASSERT_NE(main, nullptr);
  type(control(main, frmMainDesign, "txtpassword"), L"typed");
  click(control(main, frmMainDesign, "Label4"));
  const HWND about = waitForOnly(AboutDesign);
  ASSERT_NE(about, nullptr) << "About is not the only window";

  // The group a selector shows, and only it.
  const auto shows = [about](std::string_view group) {
    for (const GroupDesign &each : AboutDesign.groups) {
      for (const std::string_view name : each.controls) {
        HWND label = childWithText(about, wide(designed(AboutDesign, name).text));
        if (label == nullptr || (IsWindowVisible(label) != FALSE) != (each.name == group)) {
          return false;
        }
      }
    }
    return true;
  };
  EXPECT_TRUE(shows("ADCC"));
  click(control(about, AboutDesign, "Label11"));
  EXPECT_TRUE(waitFor([&] { return shows("Credit"); }));
  click(control(about, AboutDesign, "Label16"));
  EXPECT_TRUE(waitFor([&] { return shows("Communication"); }));

  click(control(about, AboutDesign, "Label2"));
  main = waitForOnly(frmMainDesign);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(textOf(control(main, frmMainDesign, "txtpassword")), L"");
}

TEST_F(OrvelinProgram, TheExitLabelEndsTheProgram) {
  const HWND main = waitForOnly(frmMainDesign);
  ASSERT_NE(main, nullptr);
  click(control(main, frmMainDesign, "Label2"));

  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 30000), WAIT_OBJECT_0) << "the program goes on";
  DWORD code = 1;
  GetExitCodeProcess(process_.hProcess, &code);
  EXPECT_EQ(code, 0U);
}

// The command line of the program built here on arguments.
std::wstring builtProgramOn(const std::wstring &arguments) { return L"\"Z:" ORVELIN_PROGRAM_PATH L"\" " + arguments; }

// A run of the program on a command line, from folder; ended with the test, and with it any run it
// started for a further file.
class ProgramRun {
public:
  ProgramRun(std::wstring commandLine, const std::filesystem::path &folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                              &startup, &process_) != FALSE;
  }
  ProgramRun(const ProgramRun &) = delete;
  ProgramRun &operator=(const ProgramRun &) = delete;
  ~ProgramRun() {
    for (const DWORD other : others_) {
      if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, other)) {
        TerminateProcess(process, 1);
        CloseHandle(process);
      }
    }
    if (started_) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 10000);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
  }

  [[nodiscard]] bool started() const { return started_; }
  // The main window of this run, once the splash has made way for it.
  [[nodiscard]] HWND mainWindow() const {
    HWND shown = nullptr;
    waitFor([&] {
      const std::vector<HWND> windows = visibleWindows(process_.dwProcessId, windowClass);
      shown = windows.size() == 1 && textOf(windows.front()) == wide(frmMainDesign.caption) &&
                      hasClientSizeOf(windows.front(), frmMainDesign)
                  ? windows.front()
                  : nullptr;
      return shown != nullptr;
    });
    return shown;
  }
  // The main window of another run whose name box holds file, once there is one; that run is ended
  // with this one.
  HWND otherMainWindowOn(const std::wstring &file) {
    HWND found = nullptr;
    waitFor([&] {
      for (HWND window : visibleWindows(std::nullopt, windowClass)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != process_.dwProcessId && hasClientSizeOf(window, frmMainDesign) &&
            textOf(controlAt(window, designed(frmMainDesign, "txtfilename"))) == file) {
          others_.push_back(owner);
          found = window;
          return true;
        }
      }
      return false;
    });
    return found;
  }

private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
  std::vector<DWORD> others_;
};

// Whether the run's main window opened on file (its whole path in the name box, the focus in the
// password box) and the password typed there encrypted it; each failure is reported.
bool encryptsThroughWindow(const ProgramRun &run, const std::filesystem::path &file, const std::wstring &password) {
  const HWND main = run.started() ? run.mainWindow() : nullptr;
  if (main == nullptr) {
    ADD_FAILURE() << "no main window";
    return false;
  }
  EXPECT_EQ(textOf(controlAt(main, designed(frmMainDesign, "txtfilename"))), file.wstring());
  const HWND passwordBox = controlAt(main, designed(frmMainDesign, "txtpassword"));
  EXPECT_EQ(focusOfThread(main), passwordBox);
  type(passwordBox, password);
  click(controlAt(main, designed(frmMainDesign, "cmdencrypt")));
  const HWND status = controlAt(main, designed(frmMainDesign, "lblmessage"));
  const bool encrypted = waitFor([&] { return textOf(status) == L"File encryption complete!"; });
  EXPECT_TRUE(encrypted) << "status: " << textOf(status);
  return encrypted;
}

TEST(OrvelinProgramOnFiles, OpensOnTheFirstFileWithTheFocusInThePasswordBoxAndEachOtherFileInARunOfItsOwn) {
  using orvelin::testing::longForm;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("orvelin-handed-" + std::to_string(GetCurrentProcessId()));
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::filesystem::path other = folder / L"\u00fcber.txt";
  write(other, "the other file\n");
  {
    // A relative name in Unicode whose whole path is past 260 characters.
    const std::string content("handed over by Explorer\n");
    const orvelin::testing::DeepFile deep(folder, L"r\u00e9sum\u00e9 \u65e5\u672c.txt", content);
    ASSERT_TRUE(deep.made());
    const std::filesystem::path &file = deep.path();
    ASSERT_GT(file.native().size(), std::size_t{MAX_PATH});
    const std::filesystem::path relative = file.lexically_relative(folder);

    ProgramRun run(builtProgramOn(L"\"" + relative.wstring() + L"\" \"" + other.wstring() + L"\""), folder);
    // The jobs' own tests decrypt such a path; here it has to reach them whole.
    ASSERT_TRUE(encryptsThroughWindow(run, file, L"caf\u00e9"));
    EXPECT_NE(contentOf(longForm(file)), content);

    EXPECT_NE(run.otherMainWindowOn(other.wstring()), nullptr) << "no window of its own for the second file";
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

// For scripts/check-installer: the command of Explorer's verb as the installer registered it, "%1"
// and all, opens the window on the file, and Encrypt there encrypts it.
TEST(OrvelinProgramOnFiles, TheCommandOfExplorersVerbOpensTheWindowOnTheFile) {
  const char *verb = std::getenv("ORVELIN_VERB_COMMAND");
  if (verb == nullptr) {
    GTEST_SKIP() << "run by scripts/check-installer, with the installed verb's command in ORVELIN_VERB_COMMAND";
  }
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::filesystem::path file = folder / ("orvelin-verb-" + std::to_string(GetCurrentProcessId()) + ".txt");
  const std::string content("encrypted through Explorer's verb\n");
  write(file, content);
  std::wstring command = wide(verb);
  const std::size_t argument = command.find(L"%1");
  ASSERT_NE(argument, std::wstring::npos) << "the verb does not hand the file over";
  command.replace(argument, 2, file.wstring());
  {
    const ProgramRun run(command, folder);
    EXPECT_TRUE(encryptsThroughWindow(run, file, L"verb"));
  }
  const std::string encrypted = contentOf(file);
  std::filesystem::remove(file);
  EXPECT_NE(encrypted, content);
  EXPECT_EQ(encrypted.size() % 8, 0U);
}

} // namespace
} // namespace orvelin::win32
