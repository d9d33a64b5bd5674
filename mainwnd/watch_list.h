// Drive numbering and the watch list of fixed drives: one DriveWatchEntry per
// fixed drive in drive-letter order, kept from the store while the number of
// fixed drives is unchanged and rebuilt otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"

namespace vantrel {

// Drive type of a root path such as "C:\" (GetDriveTypeA on Windows).
using DriveTypeFn = std::function<unsigned(const std::string& root)>;

// 'A' or 'a' -> 1 ... 'Z' -> 26; anything else -> 0.
int DriveNumber(char letter);

// 1 -> 'A' ... 26 -> 'Z'; anything else -> '\0'.
char DriveLetterOf(int driveNumber);

// "?:\" with the first character replaced by the letter, e.g. "C:\".
std::string RootPath(char letter);

// The drive letter of a drive-list item such as "[-c-]": its third character,
// upper-cased. None when the item is too short or that character is no letter.
std::optional<char> LetterFromComboItem(std::string_view item);

// Number of letters A..Z whose bit is set in the logical-drive mask (bit 0 for
// A:) and whose root path has the fixed type.
int CountFixedDrives(std::uint32_t mask, const DriveTypeFn& driveType);

// True when a loaded list is to be kept as stored: it exists and its length
// equals the number of fixed drives present. Drive letters are not compared.
bool KeepLoadedList(const std::optional<DriveList>& loaded, int fixedCount);

// A fresh list: one entry per fixed drive in letter order, unwatched and armed.
DriveList BuildFreshList(std::uint32_t mask, const DriveTypeFn& driveType);

// The watch list for this run: the loaded list when KeepLoadedList holds,
// otherwise a fresh one. None only when the fresh list cannot be allocated
// (the caller then reports "Could not allocate memory!" and ends the program).
std::optional<DriveList> BuildDriveList(std::optional<DriveList> loaded, std::uint32_t mask,
                                        const DriveTypeFn& driveType);

// Index of the first entry whose drive number matches, or -1 (also when there is no list).
int FindEntryForDrive(const std::optional<DriveList>& list, int driveNumber);

// The Watch box handler: sets the selected entry's watch flag, never notify.
// Does nothing for -1, an index out of range or no list.
void SetEntryWatch(std::optional<DriveList>& list, int selectedEntry, bool watch);

}  // namespace vantrel
