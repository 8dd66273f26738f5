#include "frontends/win32/file_open_dialog.h"

#include "dialog_driver.h"
#include "test_windows.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace orvelin::win32 {
namespace {

using namespace std::string_literals;

// The whole filter list, up to and with the empty string that ends it.
std::wstring filterList(const wchar_t *filters) {
  const wchar_t *end = filters;
  while (end[0] != L'\0' || end[1] != L'\0') {
    ++end;
  }
  return {filters, end + 2};
}

// Puts a path in the dialog's buffer, as the dialog does when a file is chosen.
OpenFileNameResult choose(OPENFILENAMEW &dialog, const std::wstring &path) {
  if (path.size() >= dialog.nMaxFile) {
    dialog.lpstrFile[0] = static_cast<wchar_t>(path.size() + 1);
    return {false, FNERR_BUFFERTOOSMALL};
  }
  std::copy(path.c_str(), path.c_str() + path.size() + 1, dialog.lpstrFile);
  return {true, 0};
}

TEST(FileOpenDialog, ListsTextFilesFirstThenAllFilesModalOverTheOwner) {
  auto *owner = reinterpret_cast<HWND>(0x1234);
  std::vector<OPENFILENAMEW> shown;
  chooseFileToOpen(owner, [&](OPENFILENAMEW &dialog) {
    shown.push_back(dialog);
    EXPECT_EQ(filterList(dialog.lpstrFilter), L"Text File\0*.txt\0All Files\0*.*\0\0"s);
    EXPECT_EQ(dialog.lpstrFile[0], L'\0') << "a name was proposed";
    return OpenFileNameResult{false, 0};
  });
  ASSERT_EQ(shown.size(), 1U);
  EXPECT_EQ(shown[0].lStructSize, sizeof(OPENFILENAMEW));
  EXPECT_EQ(shown[0].nFilterIndex, 1U);
  EXPECT_EQ(shown[0].hwndOwner, owner);
  EXPECT_EQ(shown[0].Flags & OFN_FILEMUSTEXIST, static_cast<DWORD>(OFN_FILEMUSTEXIST));
  EXPECT_EQ(shown[0].Flags & OFN_NOCHANGEDIR, static_cast<DWORD>(OFN_NOCHANGEDIR));
  EXPECT_EQ(shown[0].Flags & OFN_DONTADDTORECENT, static_cast<DWORD>(OFN_DONTADDTORECENT));
}

TEST(FileOpenDialog, AsksAgainWithRoomForALongPath) {
  std::wstring path = L"\\\\?\\C:";
  while (path.size() < 5000) {
    path += L"\\folder";
  }
  path += L"\\notes.txt";
  int showings = 0;
  const auto chosen = chooseFileToOpen(nullptr, [&](OPENFILENAMEW &dialog) {
    ++showings;
    return choose(dialog, path);
  });
  EXPECT_EQ(chosen, path);
  EXPECT_EQ(showings, 2);
}

TEST(FileOpenDialog, GivesUpOnARoomNoPathNeeds) {
  DWORD mostRoom = 0;
  const auto chosen = chooseFileToOpen(nullptr, [&](OPENFILENAMEW &dialog) {
    mostRoom = std::max(mostRoom, dialog.nMaxFile);
    dialog.lpstrFile[0] = L'\xffff';
    return OpenFileNameResult{false, FNERR_BUFFERTOOSMALL};
  });
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(mostRoom, 32768U) << "no room for Windows' longest path";
}

TEST(FileOpenDialog, ReturnsNothingWhenTheDialogFails) {
  int showings = 0;
  const auto chosen = chooseFileToOpen(nullptr, [&](OPENFILENAMEW &) {
    ++showings;
    return OpenFileNameResult{false, CDERR_INITIALIZATION};
  });
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(showings, 1);
}

// The system's own dialog, under Wine.

struct ShownDialog {
  HWND owner = nullptr;
  bool ownerEnabled = true;
  std::vector<std::wstring> filterNames;
  int selectedFilter = -1;
};

ShownDialog lookAt(HWND dialog, HWND owner) {
  ShownDialog shown{GetWindow(dialog, GW_OWNER), IsWindowEnabled(owner) != FALSE, {}, -1};
  // cmb1 is the list of file types in every version of the dialog.
  HWND types = GetDlgItem(dialog, cmb1);
  const auto count = static_cast<WPARAM>(SendMessageW(types, CB_GETCOUNT, 0, 0));
  for (WPARAM item = 0; item < count; ++item) {
    std::wstring name(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXTLEN, item, 0)) + 1, L'\0');
    name.resize(
        static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(name.data()))));
    shown.filterNames.push_back(name);
  }
  shown.selectedFilter = static_cast<int>(SendMessageW(types, CB_GETCURSEL, 0, 0));
  return shown;
}

class SystemFileOpenDialog : public testing::Test {
protected:
  void SetUp() override {
    owner_ = showPopupWindow(Activation::Activated);
    ASSERT_NE(owner_, nullptr) << noWindowHint;
  }

  UniqueWindow owner_;
};

TEST_F(SystemFileOpenDialog, ACancelReturnsNothing) {
  ShownDialog shown;
  const DialogDriver user([&](HWND dialog) {
    shown = lookAt(dialog, owner_.get());
    return IDCANCEL;
  });
  const auto chosen = chooseFileToOpen(owner_.get());
  ASSERT_EQ(user.dialogsShown(), 1);
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(shown.owner, owner_.get());
  EXPECT_FALSE(shown.ownerEnabled) << "the dialog was not modal";
}

TEST_F(SystemFileOpenDialog, ListsTheFiltersByNameAndReturnsTheTypedFile) {
  const auto folder = std::filesystem::temp_directory_path() / L"orvelin win32 \u00fcbung";
  std::filesystem::create_directories(folder);
  const auto file = folder / L"R\u00e9sum\u00e9 \u20ac.txt";
  std::ofstream(file) << "notes";

  ShownDialog shown;
  const DialogDriver user([&](HWND dialog) {
    shown = lookAt(dialog, owner_.get());
    // cmb13 is the file name box.
    SetDlgItemTextW(dialog, cmb13, file.c_str());
    return IDOK;
  });
  const auto chosen = chooseFileToOpen(owner_.get());
  std::filesystem::remove_all(folder);

  ASSERT_EQ(user.dialogsShown(), 1);
  EXPECT_EQ(chosen, file);
  EXPECT_EQ(shown.filterNames, (std::vector<std::wstring>{L"Text File", L"All Files"}));
  EXPECT_EQ(shown.selectedFilter, 0);
}

} // namespace
} // namespace orvelin::win32
