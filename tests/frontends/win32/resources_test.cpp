// The program's resources as Windows finds them in the built executable.
#include "base/windows_api.h"
#include "frontends/win32/resource_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace orvelin::win32 {
namespace {

// An icon group's layout in a module (not the .ico file's: an entry names the image by number).
#pragma pack(push, 2)
struct IconGroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct IconGroupEntry {
  BYTE width; // 0 for 256
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bitsPerPixel;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// A resource's bytes; empty when the module has none of that kind and number.
std::vector<BYTE> resourceBytes(int id, LPCWSTR kind) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), kind);
  if (found == nullptr) {
    return {};
  }
  const auto *bytes = static_cast<const BYTE *>(LockResource(LoadResource(module, found)));
  return {bytes, bytes + SizeofResource(module, found)};
}

struct IconCase {
  const char *name;
  int id;
};
void PrintTo(const IconCase &icon, std::ostream *out) { *out << icon.name; }

class ProgramIcons : public testing::TestWithParam<IconCase> {};

TEST_P(ProgramIcons, HoldFiveSizesEachAnImageOfItsSize) {
  std::vector<BYTE> group = resourceBytes(GetParam().id, RT_GROUP_ICON);
  ASSERT_GE(group.size(), sizeof(IconGroupHeader)) << "no icon group " << GetParam().id;
  IconGroupHeader header{};
  std::memcpy(&header, group.data(), sizeof header);
  ASSERT_EQ(group.size(), sizeof header + header.count * sizeof(IconGroupEntry));

  std::set<int> sizes;
  for (WORD index = 0; index < header.count; ++index) {
    IconGroupEntry entry{};
    std::memcpy(&entry, group.data() + sizeof header + index * sizeof entry, sizeof entry);
    const int size = entry.width == 0 ? 256 : entry.width;
    sizes.insert(size);

    // The image itself must be readable and of the size the group says.
    std::vector<BYTE> image = resourceBytes(entry.id, RT_ICON);
    ASSERT_FALSE(image.empty()) << size << " pixels";
    HICON icon = CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x00030000, 0, 0,
                                          LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr) << size << " pixels";
    ICONINFO info{};
    ASSERT_NE(GetIconInfo(icon, &info), FALSE);
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    EXPECT_EQ(colour.bmBitsPixel, 32) << size << " pixels: no alpha channel";
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 64, 256}));
}

INSTANTIATE_TEST_SUITE_P(Icons, ProgramIcons,
                         testing::Values(IconCase{"Program", ORVELIN_ICON_PROGRAM}, IconCase{"Help", ORVELIN_ICON_HELP},
                                         IconCase{"Information", ORVELIN_ICON_INFORMATION}),
                         [](const testing::TestParamInfo<IconCase> &test) { return test.param.name; });

TEST(ProgramResources, TheSplashPictureIs296By240) {
  auto *picture = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ORVELIN_BITMAP_SPLASH),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(picture, nullptr);
  BITMAP bitmap{};
  GetObjectW(picture, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 296);
  EXPECT_EQ(bitmap.bmHeight, 240);
  DeleteObject(picture);
}

// The executable's version information, as Explorer's Properties reads it.
class VersionInformation : public testing::Test {
protected:
  void SetUp() override {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    information_.resize(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(information_.empty()) << "no version information";
    ASSERT_NE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(information_.size()), information_.data()),
              FALSE);
  }

  // A value of the version information, through the language and code page it names first.
  std::wstring text(const wchar_t *name) {
    WORD *translation = nullptr;
    UINT length = 0;
    if (VerQueryValueW(information_.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation),
                       &length) == FALSE ||
        length < 2 * sizeof(WORD)) {
      return {};
    }
    wchar_t query[64];
    swprintf(query, std::size(query), L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1], name);
    wchar_t *value = nullptr;
    if (VerQueryValueW(information_.data(), query, reinterpret_cast<void **>(&value), &length) == FALSE) {
      return {};
    }
    return value;
  }

  std::vector<BYTE> information_;
};

TEST_F(VersionInformation, NamesTheProductItsMakersAndLicence) {
  EXPECT_EQ(text(L"ProductName"), L"Orvelin File Encryptor");
  EXPECT_EQ(text(L"CompanyName"), L"Orvelin");
  const std::wstring copyright = text(L"LegalCopyright");
  EXPECT_NE(copyright.find(L"the Orvelin File Encryptor authors"), std::wstring::npos) << copyright;
  EXPECT_NE(copyright.find(L"MIT License"), std::wstring::npos) << copyright;
}

TEST_F(VersionInformation, CarriesTheProjectsVersion) {
  const std::wstring version = std::to_wstring(ORVELIN_VERSION_MAJOR) + L"." + std::to_wstring(ORVELIN_VERSION_MINOR) +
                               L"." + std::to_wstring(ORVELIN_VERSION_PATCH);
  EXPECT_EQ(text(L"ProductVersion"), version);
  EXPECT_EQ(text(L"FileVersion"), version);

  VS_FIXEDFILEINFO *fixed = nullptr;
  UINT length = 0;
  ASSERT_NE(VerQueryValueW(information_.data(), L"\\", reinterpret_cast<void **>(&fixed), &length), FALSE);
  EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(MAKELONG(ORVELIN_VERSION_MINOR, ORVELIN_VERSION_MAJOR)));
  EXPECT_EQ(fixed->dwProductVersionLS, static_cast<DWORD>(MAKELONG(0, ORVELIN_VERSION_PATCH)));
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
}

} // namespace
} // namespace orvelin::win32
