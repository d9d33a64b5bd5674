#include "app/settings.h"

namespace vantrel {

namespace {

int ToBit(bool b) { return b ? 1 : 0; }

// Settings defaults, in the order the values are read and written.
constexpr int kDefaultPercent = 15;
constexpr int kDefaultMemoryPos = 10;
constexpr int kDefaultDrivePos = 10;

}  // namespace

void LoadSettings(ProfileStore& store, Settings& s) {
  const std::string sec = kSettingsSection;
  s.AutoHide = store.GetProfileInt(sec, "AutoHide", 0) != 0;
  s.Percent = store.GetProfileInt(sec, "Percent", kDefaultPercent);
  s.nTooltip = store.GetProfileInt(sec, "nTooltip", 0);
  s.MemoryPos = store.GetProfileInt(sec, "MemoryPos", kDefaultMemoryPos);
  s.DrivePos = store.GetProfileInt(sec, "DrivePos", kDefaultDrivePos);
  // Colours are stored as DWORDs; the bit pattern is kept as it is.
  s.labelText = static_cast<std::uint32_t>(store.GetProfileInt(sec, "labelText", 0));
  s.listText = static_cast<std::uint32_t>(store.GetProfileInt(sec, "listText", 0));
  s.CloseNotify = store.GetProfileInt(sec, "CloseNotify", 0) != 0;
  s.DisableNotify = store.GetProfileInt(sec, "DisableNotify", 0) != 0;
  s.driveCount = store.GetProfileInt(sec, "driveCount", 0);
}

void SaveSettings(ProfileStore& store, const Settings& s) {
  const std::string sec = kSettingsSection;
  store.WriteProfileInt(sec, "AutoHide", ToBit(s.AutoHide));
  store.WriteProfileInt(sec, "Percent", s.Percent);
  store.WriteProfileInt(sec, "nTooltip", s.nTooltip);
  store.WriteProfileInt(sec, "MemoryPos", s.MemoryPos);
  store.WriteProfileInt(sec, "DrivePos", s.DrivePos);
  store.WriteProfileInt(sec, "labelText", static_cast<int>(s.labelText));
  store.WriteProfileInt(sec, "listText", static_cast<int>(s.listText));
  store.WriteProfileInt(sec, "CloseNotify", ToBit(s.CloseNotify));
  store.WriteProfileInt(sec, "DisableNotify", ToBit(s.DisableNotify));
}

std::optional<DriveList> LoadDriveList(ProfileStore& store, int driveCount) {
  // A hand-edited or damaged count must not size an allocation: anything that
  // cannot be a machine's fixed-drive count means "no stored list", and the
  // caller rebuilds the list from the drives present.
  if (driveCount <= 0 || driveCount > kMaxDrives) return std::nullopt;

  DriveList list(static_cast<std::size_t>(driveCount));
  for (int i = 0; i < driveCount; ++i) {
    const std::string sec = std::to_string(i);
    DriveWatchEntry& e = list[static_cast<std::size_t>(i)];
    e.path = store.GetProfileString(sec, "path", "");
    e.watch = store.GetProfileInt(sec, "watch", 0) != 0;
    e.drive = store.GetProfileInt(sec, "drive", 0);
    e.notify = store.GetProfileInt(sec, "notify", 1) != 0;
  }
  return list;
}

bool SaveDriveList(ProfileStore& store, const std::optional<DriveList>& list) {
  if (!list) return false;
  store.WriteProfileInt(kSettingsSection, "driveCount", static_cast<int>(list->size()));
  for (std::size_t i = 0; i < list->size(); ++i) {
    const std::string sec = std::to_string(i);
    const DriveWatchEntry& e = (*list)[i];
    store.WriteProfileString(sec, "path", e.path);
    store.WriteProfileInt(sec, "watch", ToBit(e.watch));
    store.WriteProfileInt(sec, "drive", e.drive);
    store.WriteProfileInt(sec, "notify", ToBit(e.notify));
  }
  return true;
}

}  // namespace vantrel
