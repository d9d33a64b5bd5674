// Vantrel.exe end to end on settings stores full of wrong data: values of the
// wrong type or size, counts of -1, 27 and 2^31-1, strings of 10,000
// characters, missing sections. On each the program must run, use the
// defaults for what it cannot read, and after a normal exit hold exactly the
// values it owns, rewritten, and every other value as it was.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "mainwnd/e2e_fixture.h"
#include "res/resource.h"

namespace vantrel::e2e {
namespace {

struct Raw {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  bool operator==(const Raw& o) const { return type == o.type && data == o.data; }
};

// Values by "section\name" below the program's key; sections nest with "\".
using Tree = std::map<std::string, Raw>;

Raw Bytes(DWORD type, std::vector<BYTE> data) { return {type, std::move(data)}; }
Raw Dword(DWORD v) { return Bytes(REG_DWORD, {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)}); }
Raw Text(DWORD type, const std::string& s) {
  std::vector<BYTE> data(s.begin(), s.end());
  data.push_back(0);
  return Bytes(type, std::move(data));
}
Raw Sz(const std::string& s) { return Text(REG_SZ, s); }

constexpr DWORD kMinusOne = 0xFFFFFFFF;
constexpr DWORD kIntMax = 0x7FFFFFFF;
const std::string kLong(10000, 'C');

void Put(const Tree& tree) {
  for (const auto& [path, value] : tree) {
    const size_t cut = path.find_last_of('\\');
    const std::string key = std::string(kVantrelKey) + "\\" + path.substr(0, cut);
    fw::UniqueKey k;
    ASSERT_EQ(
        ::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(k.get(), path.substr(cut + 1).c_str(), 0, value.type, value.data.data(),
                               static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
  }
}

void ReadKey(const std::string& section, Tree& tree) {
  fw::UniqueKey k;
  const std::string key = std::string(kVantrelKey) + (section.empty() ? "" : "\\" + section);
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) return;
  const std::string prefix = section.empty() ? "" : section + "\\";
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name, type = 0, size = 0;
    if (::RegEnumValueA(k.get(), i, name, &nameSize, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    Raw& v = tree[prefix + name];
    v.type = type;
    v.data.resize(size);
    ::RegQueryValueExA(k.get(), name, nullptr, nullptr, v.data.data(), &size);
  }
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    if (::RegEnumKeyExA(k.get(), i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    ReadKey(prefix + name, tree);
  }
}

Tree ReadStore() {
  Tree tree;
  ReadKey("", tree);
  return tree;
}

struct Entry {
  std::string path;
  DWORD watch, drive, notify;
};

// The watch list the program builds from the drives present.
std::vector<Entry> FreshList() {
  std::vector<Entry> list;
  for (char c : FixedDrives()) list.push_back({std::string(1, c) + ":\\", 0, DWORD(c - 'A' + 1), 1});
  return list;
}

struct StoreCase {
  const char* name;
  Tree seed;
  // What the program writes at exit: the nine settings in their stored order,
  // then the watch list.
  std::vector<DWORD> settings;
  std::vector<Entry> list;
  // The countdown bars' ranges, from the periods in effect.
  int memoryRange, driveRange;
};

const char* const kSettingNames[] = {"AutoHide",  "Percent",  "nTooltip",    "MemoryPos",    "DrivePos",
                                     "labelText", "listText", "CloseNotify", "DisableNotify"};
const std::vector<DWORD> kDefaults = {0, 15, 0, 10, 10, 0, 0, 0, 0};

// Values the program never owns: they must survive every run unchanged.
void AddForeignValues(Tree& t) {
  t["Settings\\Foreign"] = Sz(std::string(10000, 'x'));
  t["Settings\\Nested\\value"] = Dword(5);
  t["0\\extra"] = Bytes(REG_BINARY, std::vector<BYTE>(10000, 0xAB));
  t["Other\\path"] = Sz("Q:\\");
}

std::vector<StoreCase> Stores() {
  const int fixed = static_cast<int>(FixedDrives().size());
  std::vector<StoreCase> stores;

  StoreCase wrongTypes{"every value of the wrong type or size", {}, kDefaults, FreshList(), 10, 600};
  Tree& w = wrongTypes.seed;
  w["Settings\\AutoHide"] = Sz("1");
  w["Settings\\Percent"] = Bytes(REG_DWORD, {7, 0});                     // two bytes
  w["Settings\\nTooltip"] = Bytes(REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0});  // eight bytes
  w["Settings\\MemoryPos"] = Sz(std::string(10000, '9'));
  w["Settings\\DrivePos"] = Bytes(REG_MULTI_SZ, {'5', 0, 0});
  w["Settings\\labelText"] = Bytes(REG_BINARY, {1, 2, 3});
  w["Settings\\listText"] = Text(REG_EXPAND_SZ, "255");
  w["Settings\\CloseNotify"] = Bytes(REG_NONE, {});
  w["Settings\\DisableNotify"] = Bytes(REG_DWORD_BIG_ENDIAN, {0, 0, 0, 1});
  w["Settings\\driveCount"] = Sz("3");
  for (int i = 0; i < fixed + 2; ++i) {
    const std::string s = std::to_string(i) + "\\";
    w[s + "path"] = Dword(3);
    w[s + "watch"] = Sz("1");
    w[s + "drive"] = Bytes(REG_QWORD, {3, 0, 0, 0, 0, 0, 0, 0});
    w[s + "notify"] = Bytes(REG_BINARY, {0});
  }
  stores.push_back(wrongTypes);

  StoreCase extremes{"readable values out of every range, a count of -1",
                     {},
                     {0, kIntMax, kMinusOne, kMinusOne, kIntMax, kMinusOne, kIntMax, 1, 1},
                     FreshList(),
                     0,
                     65535};
  Tree& x = extremes.seed;
  const DWORD stored[] = {0, kIntMax, kMinusOne, kMinusOne, kIntMax, kMinusOne, kIntMax, 27, kMinusOne};
  for (size_t i = 0; i < 9; ++i) x[std::string("Settings\\") + kSettingNames[i]] = Dword(stored[i]);
  x["Settings\\driveCount"] = Dword(kMinusOne);
  x["0\\path"] = Sz(kLong);
  x["0\\watch"] = Dword(5);
  x["0\\drive"] = Dword(kIntMax);
  x["0\\notify"] = Dword(kMinusOne);
  stores.push_back(extremes);

  for (DWORD count : {DWORD{27}, kIntMax}) {
    StoreCase tooMany{count == 27 ? "a count of 27" : "a count of 2^31-1", {}, kDefaults, FreshList(), 10, 600};
    tooMany.seed["Settings\\driveCount"] = Dword(count);
    for (int i = 0; i < 27; ++i) {
      const std::string s = std::to_string(i) + "\\";
      tooMany.seed[s + "path"] = Sz("Q:\\");
      tooMany.seed[s + "watch"] = Dword(1);
      tooMany.seed[s + "drive"] = Dword(17);
      tooMany.seed[s + "notify"] = Dword(0);
    }
    stores.push_back(tooMany);
  }

  // The count matches the drives present, so the stored list is kept as it
  // reads: the last section is missing, the others hold nonsense. Every tick
  // runs the drive cycle over them.
  StoreCase kept{"a kept list of nonsense entries, the last section missing", {}, kDefaults, {}, 0, 0};
  kept.settings[3] = kept.settings[4] = 0;
  kept.seed["Settings\\MemoryPos"] = Dword(0);
  kept.seed["Settings\\DrivePos"] = Dword(0);
  kept.seed["Settings\\driveCount"] = Dword(static_cast<DWORD>(fixed));
  const DWORD drives[] = {kIntMax, kMinusOne, 27};
  for (int i = 0; i < fixed; ++i) {
    if (i == fixed - 1) {
      kept.list.push_back({"", 0, 0, 1});
      continue;
    }
    const std::string s = std::to_string(i) + "\\";
    kept.seed[s + "path"] = Sz(kLong);
    kept.seed[s + "watch"] = Dword(5);
    kept.seed[s + "drive"] = Dword(drives[i % 3]);
    kept.seed[s + "notify"] = Dword(kMinusOne);
    kept.list.push_back({kLong, 1, drives[i % 3], 1});
  }
  stores.push_back(kept);

  for (StoreCase& s : stores) AddForeignValues(s.seed);
  return stores;
}

// The store as the program must leave it: the seed with every owned value
// rewritten.
Tree Expected(const StoreCase& s) {
  Tree t = s.seed;
  for (size_t i = 0; i < 9; ++i) t[std::string("Settings\\") + kSettingNames[i]] = Dword(s.settings[i]);
  t["Settings\\driveCount"] = Dword(static_cast<DWORD>(s.list.size()));
  for (size_t i = 0; i < s.list.size(); ++i) {
    const std::string sec = std::to_string(i) + "\\";
    t[sec + "path"] = Sz(s.list[i].path);
    t[sec + "watch"] = Dword(s.list[i].watch);
    t[sec + "drive"] = Dword(s.list[i].drive);
    t[sec + "notify"] = Dword(s.list[i].notify);
  }
  return t;
}

// Names the values that differ, with their types, sizes and short contents.
std::string Differences(const Tree& want, const Tree& got) {
  auto describe = [](const Tree& t, const std::string& k) {
    auto it = t.find(k);
    if (it == t.end()) return std::string("missing");
    std::string d =
        "type " + std::to_string(it->second.type) + ", " + std::to_string(it->second.data.size()) + " bytes";
    if (it->second.data.size() <= 8)
      for (BYTE b : it->second.data) d += " " + std::to_string(b);
    return d;
  };
  Tree all = want;
  all.insert(got.begin(), got.end());
  std::string out;
  for (const auto& entry : all) {
    const std::string& k = entry.first;
    auto a = want.find(k), b = got.find(k);
    if (a == want.end() || b == got.end() || !(a->second == b->second))
      out += "  " + k + ": want " + describe(want, k) + ", got " + describe(got, k) + "\n";
  }
  return out;
}

int BarMax(HWND dlg, int id) { return static_cast<int>(::SendMessageA(::GetDlgItem(dlg, id), PBM_GETRANGE, FALSE, 0)); }

using BadStore = ProgramTest;

TEST_F(BadStore, TheProgramRunsOnDefaultsAndRewritesOnlyWhatItOwns) {
  ASSERT_GE(FixedDrives().size(), 2u);
  for (const StoreCase& s : Stores()) {
    SCOPED_TRACE(s.name);
    ClearStore();
    Put(s.seed);
    ASSERT_EQ(ReadStore(), s.seed);

    VantrelProcess run;
    HWND dlg = Start(run);
    ASSERT_NE(dlg, nullptr) << "no main window";
    EXPECT_NE(ItemText(dlg, IDC_COMPUTER_NAME), "");
    EXPECT_EQ(BarMax(dlg, IDC_MEMORY_COUNTDOWN), s.memoryRange);
    EXPECT_EQ(BarMax(dlg, IDC_DRIVE_COUNTDOWN), s.driveRange);
    // Three ticks, each handled before the next: with periods of 0 each one
    // refreshes memory and runs the drive cycle over the stored entries.
    for (int tick = 0; tick < 3; ++tick) {
      DWORD_PTR result = 0;
      EXPECT_NE(::SendMessageTimeoutA(dlg, WM_TIMER, 1, 0, SMTO_NORMAL, 10000, &result), 0) << "tick " << tick;
    }
    EXPECT_FALSE(run.HasExited());
    ASSERT_NO_FATAL_FAILURE(End(run, dlg));

    const Tree want = Expected(s);
    const Tree got = ReadStore();
    EXPECT_TRUE(got == want) << Differences(want, got);
  }
}

}  // namespace
}  // namespace vantrel::e2e
