// Both shipped binaries carry the versions of version.h, in their fixed
// version record and in the texts that Explorer's properties show.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/bin_dir.h"
#include "version.h"

namespace {

struct VersionRecord {
  bool found = false;
  VS_FIXEDFILEINFO fixed{};
  std::string fileVersion, productVersion, originalFilename;
};

std::string Text(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
  if (!::VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return {};
  return std::string(value, length > 0 ? length - 1 : 0);
}

VersionRecord ReadVersion(const std::string& file) {
  VersionRecord record;
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &ignored);
  if (size == 0) return record;
  std::vector<char> block(size);
  if (!::GetFileVersionInfoA(file.c_str(), 0, size, block.data())) return record;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed) {
    return record;
  }
  record.found = true;
  record.fixed = *fixed;
  record.fileVersion = Text(block, "FileVersion");
  record.productVersion = Text(block, "ProductVersion");
  record.originalFilename = Text(block, "OriginalFilename");
  return record;
}

TEST(Version, BothBinariesCarryTheVersionsOfTheOnePlace) {
  const struct {
    const char* file;  // beside this test; this test carries Vantrel's resources itself
    const char* originalFilename;
    DWORD ms, ls;  // the fixed record's file and product version
    const char* text;
    DWORD fileType;
  } cases[] = {
      {"res_resources_wine_test.exe", "Vantrel.exe", MAKELONG(VT_VERSION_MINOR, VT_VERSION_MAJOR), 0, VT_VERSION_TEXT,
       VFT_APP},
      {"Vantrel.exe", "Vantrel.exe", MAKELONG(VT_VERSION_MINOR, VT_VERSION_MAJOR), 0, VT_VERSION_TEXT, VFT_APP},
      {"Zelbo.ocx", "Zelbo.OCX", MAKELONG(ZELBO_VERSION_MINOR, ZELBO_VERSION_MAJOR),
       MAKELONG(ZELBO_VERSION_BUILD, ZELBO_VERSION_PATCH), ZELBO_VERSION_TEXT, VFT_DLL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const VersionRecord v = ReadVersion(fw::BinDir() + "\\" + c.file);
    ASSERT_TRUE(v.found);
    EXPECT_EQ(c.ms, v.fixed.dwFileVersionMS);
    EXPECT_EQ(c.ls, v.fixed.dwFileVersionLS);
    EXPECT_EQ(c.ms, v.fixed.dwProductVersionMS);
    EXPECT_EQ(c.ls, v.fixed.dwProductVersionLS);
    EXPECT_EQ(c.fileType, v.fixed.dwFileType);
    EXPECT_EQ(c.text, v.fileVersion);
    EXPECT_EQ(c.text, v.productVersion);
    EXPECT_EQ(c.originalFilename, v.originalFilename);
  }
}

TEST(Version, TheMinorNumberIsWrittenWithTwoDigits) {
  // 1.05 must not read as 1.5, which would sort after 1.10.
  EXPECT_EQ(
      std::to_string(VT_VERSION_MAJOR) + "." + (VT_VERSION_MINOR < 10 ? "0" : "") + std::to_string(VT_VERSION_MINOR),
      VT_VERSION_TEXT);
}

}  // namespace
