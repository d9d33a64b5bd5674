// Times the directory view's walk (ScanDirectory over the find-function
// lister) against two bare walks of the same tree, one through
// FindFirstFileA/FindNextFileA and one through FindFirstFileExW/FindNextFileW
// with the flags the lister uses, and checks that all three count the same.
// Run by bench/dir_scan.sh; not a test.
//
//   dir_scan_bench <directory> [rounds]
//
// Prints one line per walk: its name, the best time of the rounds in
// seconds, files, subdirectories and bytes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <string>

#include "views/dir_scan.h"
#include "views/find_lister.h"

namespace {

struct Counts {
  long long files = 0, dirs = 0;
  unsigned long long bytes = 0;
};

// The least a walk can do: one path buffer, one find record per level, the
// platform's calls and the counting. Links are counted and not entered, as
// the view's walk does.
void BareWalk(char* path, std::size_t length, Counts& c) {
  std::memcpy(path + length, "\\*.*", 5);
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA(path, &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const char* name = data.cFileName;
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ++c.dirs;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
      const std::size_t n = std::strlen(name);
      if (length + 1 + n + 5 > 32768) continue;
      path[length] = '\\';
      std::memcpy(path + length + 1, name, n + 1);
      BareWalk(path, length + 1 + n, c);
    } else {
      ++c.files;
      c.bytes += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
  } while (::FindNextFileA(find, &data));
  ::FindClose(find);
}

// The same through the wide functions, in the extended form of the path (the
// buffer starts with "\\?\"), with the basic information level and the large
// fetch. Links are told by their tag as the view's walk tells them.
void BareWideWalk(wchar_t* path, std::size_t length, Counts& c) {
  std::memcpy(path + length, L"\\*.*", 5 * sizeof(wchar_t));
  WIN32_FIND_DATAW data;
  HANDLE find =
      ::FindFirstFileExW(path, FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const wchar_t* name = data.cFileName;
    if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ++c.dirs;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
          (data.dwReserved0 == 0 || IsReparseTagNameSurrogate(data.dwReserved0)))
        continue;
      const std::size_t n = std::wcslen(name);
      if (length + 1 + n + 5 > 32768) continue;
      path[length] = L'\\';
      std::memcpy(path + length + 1, name, (n + 1) * sizeof(wchar_t));
      BareWideWalk(path, length + 1 + n, c);
    } else {
      ++c.files;
      c.bytes += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER freq;
  ::QueryPerformanceFrequency(&freq);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

template <class Walk>
double Time(Walk&& walk) {
  LARGE_INTEGER from, to;
  ::QueryPerformanceCounter(&from);
  walk();
  ::QueryPerformanceCounter(&to);
  return Seconds(from, to);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: dir_scan_bench <directory> [rounds]\n");
    return 2;
  }
  const char* dir = argv[1];
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;

  static char path[32768];
  Counts bare;
  auto bareWalk = [&] {
    bare = Counts{};
    const std::size_t n = std::strlen(dir);
    std::memcpy(path, dir, n + 1);
    BareWalk(path, n, bare);
  };
  std::wstring wideDir(std::strlen(dir), L'\0');
  wideDir.resize(static_cast<std::size_t>(
                     ::MultiByteToWideChar(CP_ACP, 0, dir, -1, wideDir.data(), static_cast<int>(wideDir.size()) + 1)) -
                 1);
  static wchar_t widePath[32768 + 4];
  Counts wide;
  auto wideWalk = [&] {
    wide = Counts{};
    const std::wstring extended = vantrel::ExtendedPath(wideDir);
    std::memcpy(widePath, extended.c_str(), (extended.size() + 1) * sizeof(wchar_t));
    BareWideWalk(widePath, extended.size(), wide);
  };
  vantrel::FindFileLister lister;
  vantrel::DirScan scan;
  auto viewWalk = [&] { scan = vantrel::ScanDirectory(lister, wideDir); };

  // One walk of each first, so that all start from the same warm caches.
  bareWalk();
  wideWalk();
  viewWalk();
  // Alternating rounds share out whatever else the machine does.
  double bareBest = 1e30, wideBest = 1e30, viewBest = 1e30;
  for (int i = 0; i < rounds; ++i) {
    bareBest = std::min(bareBest, Time(bareWalk));
    wideBest = std::min(wideBest, Time(wideWalk));
    viewBest = std::min(viewBest, Time(viewWalk));
  }

  std::printf("bare  %.3f %lld %lld %llu\n", bareBest, bare.files, bare.dirs, bare.bytes);
  std::printf("wide  %.3f %lld %lld %llu\n", wideBest, wide.files, wide.dirs, wide.bytes);
  std::printf("view  %.3f %lld %lld %llu\n", viewBest, static_cast<long long>(scan.TotalFiles()),
              static_cast<long long>(scan.subdirs), static_cast<unsigned long long>(scan.actualBytes));
  const bool same = bare.files == scan.TotalFiles() && bare.dirs == scan.subdirs && bare.bytes == scan.actualBytes &&
                    wide.files == bare.files && wide.dirs == bare.dirs && wide.bytes == bare.bytes;
  if (!same) std::fprintf(stderr, "dir_scan_bench: the walks disagree\n");
  return same ? 0 : 1;
}
