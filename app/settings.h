// The settings record, the watch-list entries and their persistence through a
// section/name/value profile store (the per-user registry in the program).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// One field per value of the "Settings" section, named as stored. Everything
// starts at zero; LoadSettings supplies the real defaults.
struct Settings {
  bool AutoHide = false;
  int Percent = 0;
  int nTooltip = 0;
  int MemoryPos = 0;
  int DrivePos = 0;
  std::uint32_t labelText = 0;  // colour reference 0x00BBGGRR
  std::uint32_t listText = 0;   // colour reference 0x00BBGGRR
  bool CloseNotify = false;
  bool DisableNotify = false;
  int driveCount = 0;
};

// One fixed drive of the watch list.
struct DriveWatchEntry {
  std::string path;    // root path, e.g. "C:\"
  bool watch = false;  // the user ticked " Watch"
  int drive = 0;       // drive number, 1 for A:
  bool notify = true;  // a low-space notice may still be given

  friend bool operator==(const DriveWatchEntry& a, const DriveWatchEntry& b) {
    return a.path == b.path && a.watch == b.watch && a.drive == b.drive && a.notify == b.notify;
  }
};

// The watch list in drive-letter order. "No list" is std::nullopt; an empty
// vector is a list without entries.
using DriveList = std::vector<DriveWatchEntry>;

// Section/name/value store with the profile functions' semantics: a missing or
// unreadable value (including one of the wrong type) reads as the default the
// caller passes; writes report success, and callers ignore failures.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual int GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) = 0;
  virtual bool WriteProfileInt(const std::string& section, const std::string& entry, int value) = 0;
  virtual std::string GetProfileString(const std::string& section, const std::string& entry,
                                       const std::string& defaultValue) = 0;
  virtual bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) = 0;
};

inline constexpr const char* kSettingsSection = "Settings";
// No machine has more drive letters than this; a stored count outside
// 0..kMaxDrives cannot describe a watch list.
inline constexpr int kMaxDrives = 26;

// Reads the ten "Settings" values in field order, with their defaults.
void LoadSettings(ProfileStore& store, Settings& settings);

// Writes every field but driveCount, in field order, booleans as 0/1.
void SaveSettings(ProfileStore& store, const Settings& settings);

// Reads the stored watch list of driveCount entries from sections "0", "1", ...
// Returns none when driveCount is 0, or outside 0..26 (no machine has that many
// fixed drives, so such a list would be rebuilt anyway).
std::optional<DriveList> LoadDriveList(ProfileStore& store, int driveCount);

// Writes driveCount into "Settings", then each entry into its section.
// Returns false and writes nothing when there is no list.
bool SaveDriveList(ProfileStore& store, const std::optional<DriveList>& list);

}  // namespace vantrel
