#include "mainwnd/watch_list.h"

#include <new>

#include "fw/drive_kind.h"

namespace vantrel {

namespace {

constexpr int kLetters = 26;

bool IsFixed(std::uint32_t mask, int index, const DriveTypeFn& driveType) {
  if ((mask & (std::uint32_t{1} << index)) == 0) return false;
  return driveType(RootPath(static_cast<char>('A' + index))) == kDriveFixed;
}

}  // namespace

int DriveNumber(char letter) {
  if (letter >= 'A' && letter <= 'Z') return letter - 'A' + 1;
  if (letter >= 'a' && letter <= 'z') return letter - 'a' + 1;
  return 0;
}

char DriveLetterOf(int driveNumber) {
  if (driveNumber < 1 || driveNumber > kLetters) return '\0';
  return static_cast<char>('A' + driveNumber - 1);
}

std::string RootPath(char letter) {
  std::string root = "?:\\";
  root[0] = letter;
  return root;
}

std::optional<char> LetterFromComboItem(std::string_view item) {
  if (item.size() < 3) return std::nullopt;
  const char c = item[2];
  const int n = DriveNumber(c);
  if (n == 0) return std::nullopt;
  return DriveLetterOf(n);
}

int CountFixedDrives(std::uint32_t mask, const DriveTypeFn& driveType) {
  int count = 0;
  for (int i = 0; i < kLetters; ++i) {
    if (IsFixed(mask, i, driveType)) ++count;
  }
  return count;
}

bool KeepLoadedList(const std::optional<DriveList>& loaded, int fixedCount) {
  return loaded.has_value() && loaded->size() == static_cast<std::size_t>(fixedCount);
}

DriveList BuildFreshList(std::uint32_t mask, const DriveTypeFn& driveType) {
  DriveList list;
  for (int i = 0; i < kLetters; ++i) {
    if (!IsFixed(mask, i, driveType)) continue;
    const char letter = static_cast<char>('A' + i);
    DriveWatchEntry e;
    e.path = RootPath(letter);
    e.watch = false;
    e.drive = DriveNumber(letter);
    e.notify = true;
    list.push_back(std::move(e));
  }
  return list;
}

std::optional<DriveList> BuildDriveList(std::optional<DriveList> loaded, std::uint32_t mask,
                                        const DriveTypeFn& driveType) {
  if (KeepLoadedList(loaded, CountFixedDrives(mask, driveType))) return loaded;
  loaded.reset();
  try {
    return BuildFreshList(mask, driveType);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

int FindEntryForDrive(const std::optional<DriveList>& list, int driveNumber) {
  if (!list) return -1;
  for (std::size_t i = 0; i < list->size(); ++i) {
    if ((*list)[i].drive == driveNumber) return static_cast<int>(i);
  }
  return -1;
}

void SetEntryWatch(std::optional<DriveList>& list, int selectedEntry, bool watch) {
  if (!list || selectedEntry < 0 || static_cast<std::size_t>(selectedEntry) >= list->size()) return;
  (*list)[static_cast<std::size_t>(selectedEntry)].watch = watch;
}

}  // namespace vantrel
