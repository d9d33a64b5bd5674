// The program's registry store as a user, another program or a damaged
// profile may leave it: values of any type and size under the names the
// program reads, and others beside them. One run of the program's own steps
// over it: the profile functions' reading of raw values, settings and watch
// list at start, the countdown periods, a drive cycle, and the save at exit.
// Checked: a count outside 1..26 gives no stored list, texts hold no zero,
// periods stay within the bars' range, a notice comes only for a watched,
// armed drive and once, the next start reads back what this one saved, and
// values the program does not own are left as they were.
#include <map>
#include <string>
#include <utility>

#include "app/settings.h"
#include "fuzz/fuzz_support.h"
#include "fw/profile_value.h"
#include "mainwnd/refresh_cycle.h"
#include "mainwnd/watch_list.h"

namespace {

using namespace vantrel;

const char* const kSettingsNames[] = {"AutoHide",  "Percent",  "nTooltip",    "MemoryPos",     "DrivePos",
                                      "labelText", "listText", "CloseNotify", "DisableNotify", "driveCount"};
const char* const kEntryNames[] = {"path", "watch", "drive", "notify"};

struct RawValue {
  std::uint32_t type = 0;
  std::string bytes;
  bool operator==(const RawValue& o) const { return type == o.type && bytes == o.bytes; }
};
using Key = std::pair<std::string, std::string>;

// The registry under the program's key, read through the profile functions'
// interpretation of raw data and written as they write.
class RawStore final : public ProfileStore {
 public:
  std::map<Key, RawValue> values;

  int GetProfileInt(const std::string& s, const std::string& e, int fallback) override {
    const auto it = values.find({s, e});
    if (it == values.end()) return fallback;
    const auto v = fw::ProfileIntValue(it->second.type, it->second.bytes.data(), it->second.bytes.size());
    return v ? static_cast<int>(*v) : fallback;
  }
  bool WriteProfileInt(const std::string& s, const std::string& e, int value) override {
    const auto u = static_cast<std::uint32_t>(value);
    values[{s, e}] = {fw::kRegDword, {char(u), char(u >> 8), char(u >> 16), char(u >> 24)}};
    return true;
  }
  std::string GetProfileString(const std::string& s, const std::string& e, const std::string& fallback) override {
    const auto it = values.find({s, e});
    if (it == values.end()) return fallback;
    const auto v = fw::ProfileStringValue(it->second.type, it->second.bytes.data(), it->second.bytes.size());
    return v ? *v : fallback;
  }
  bool WriteProfileString(const std::string& s, const std::string& e, const std::string& value) override {
    values[{s, e}] = {fw::kRegSz, value + '\0'};
    return true;
  }
};

bool Owned(const Key& key, std::size_t listSize) {
  const auto named = [&](const auto& names) {
    for (const char* n : names) {
      if (key.second == n) return true;
    }
    return false;
  };
  if (key.first == kSettingsSection) return named(kSettingsNames);
  for (std::size_t i = 0; i < listSize; ++i) {
    if (key.first == std::to_string(i)) return named(kEntryNames);
  }
  return false;
}

bool SameSettings(const Settings& a, const Settings& b) {
  return a.AutoHide == b.AutoHide && a.Percent == b.Percent && a.nTooltip == b.nTooltip && a.MemoryPos == b.MemoryPos &&
         a.DrivePos == b.DrivePos && a.labelText == b.labelText && a.listText == b.listText &&
         a.CloseNotify == b.CloseNotify && a.DisableNotify == b.DisableNotify;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input in(data, size);
  // The machine: logical drives, their types, which answer a free-space query.
  const std::uint32_t mask = in.U32();
  unsigned types[26];
  for (unsigned& t : types) t = in.Byte() % 8;
  const std::uint32_t answers = in.U32();
  // The store: section, name, type, data.
  RawStore store;
  while (!in.Empty()) {
    const unsigned s = in.Byte() % 30, e = in.Byte() % 15;
    const std::string section = s < 28 ? std::to_string(s) : s == 28 ? kSettingsSection : "Other";
    const std::string entry = e < 10 ? kSettingsNames[e] : e < 14 ? kEntryNames[e - 10] : "Other";
    const std::uint32_t type = in.Byte();
    store.values[{section, entry}] = {type, in.Bytes(in.U16())};
  }
  const std::map<Key, RawValue> before = store.values;

  Settings settings;
  LoadSettings(store, settings);
  const std::optional<DriveList> loaded = LoadDriveList(store, settings.driveCount);
  FUZZ_CHECK(loaded.has_value() == (settings.driveCount >= 1 && settings.driveCount <= kMaxDrives));
  if (loaded) {
    FUZZ_CHECK(loaded->size() == static_cast<std::size_t>(settings.driveCount));
    for (const DriveWatchEntry& e : *loaded) FUZZ_CHECK(e.path.find('\0') == std::string::npos);
  }
  const DriveTypeFn typeOf = [&](const std::string& root) {
    FUZZ_CHECK(root.size() == 3 && root[0] >= 'A' && root[0] <= 'Z' && root.compare(1, 2, ":\\") == 0);
    return types[root[0] - 'A'];
  };
  std::optional<DriveList> list = BuildDriveList(loaded, mask, typeOf);
  FUZZ_CHECK(list && list->size() == static_cast<std::size_t>(CountFixedDrives(mask, typeOf)));

  // Whatever is stored, each countdown bar can reach its period.
  const PeriodUpdate periods = UpdatePeriods(settings, -1, -1);
  FUZZ_CHECK(periods.memoryPeriod >= 0 && periods.memoryPeriod <= kMaxPeriod);
  FUZZ_CHECK(periods.drivePeriod >= 0 && periods.drivePeriod <= kMaxPeriod);

  // One drive cycle, with the stored drive numbers and flags.
  const DriveList atStart = *list;
  const DiskFreeQuery query = [&](int drive) -> std::optional<DiskFreeInfo> {
    FUZZ_CHECK(drive >= 1 && drive <= 26);
    if ((answers >> (drive - 1) & 1) == 0) return std::nullopt;
    return DiskFreeInfo{512, 8, 1000, (answers >> 6) % 1001};
  };
  std::size_t from = 0, notices = 0;
  while (const auto n = NextLowSpaceNotice(*list, from, query, settings.Percent)) {
    FUZZ_CHECK(n->index >= from && n->index < list->size());
    FUZZ_CHECK(atStart[n->index].watch && atStart[n->index].notify && !(*list)[n->index].notify);
    FUZZ_CHECK(n->freePct >= 0 && n->freePct <= 100 && n->freePct <= settings.Percent);
    FUZZ_CHECK(++notices <= list->size());
    from = n->index + 1;
  }
  FUZZ_CHECK(!NextLowSpaceNotice(*list, 0, query, settings.Percent));  // once each

  // The exit saves; the next start reads back what was saved.
  SaveSettings(store, settings);
  FUZZ_CHECK(SaveDriveList(store, list));
  Settings next;
  LoadSettings(store, next);
  FUZZ_CHECK(SameSettings(next, settings) && next.driveCount == static_cast<int>(list->size()));
  const std::optional<DriveList> reloaded = LoadDriveList(store, next.driveCount);
  FUZZ_CHECK(list->empty() ? !reloaded : reloaded == list);

  for (const auto& [key, raw] : before) {
    if (!Owned(key, list->size())) FUZZ_CHECK(store.values.at(key) == raw);
  }
  return 0;
}
