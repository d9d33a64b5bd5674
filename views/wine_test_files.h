// Folders and files made and removed by the Windows tests of the views, at
// any depth and with any names: through the wide functions, in the extended
// path form.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "fw/handle.h"
#include "views/dir_lister.h"

namespace vantrel {

inline void MakeDir(const std::wstring& path) { ASSERT_TRUE(::CreateDirectoryW(ExtendedPath(path).c_str(), nullptr)); }

// A file of `size` bytes; beyond one page it is only extended, which leaves a
// hole (a sparse file) where the file system allows it.
inline void MakeFile(const std::wstring& path, std::uint64_t size) {
  fw::UniqueKernelHandle file(
      ::CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
  const std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(size, 4096)), 'v');
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  ASSERT_TRUE(::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(::SetEndOfFile(file.get()));
}

// Removes a folder and everything in it, at any depth. A directory link is
// removed, not followed.
inline void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW data;
  fw::UniqueFind find(::FindFirstFileW(ExtendedPath(dir + L"\\*").c_str(), &data));
  if (find) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = dir + L"\\" + name;
      const DWORD attributes = data.dwFileAttributes;
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveTree(path);
      else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        ::RemoveDirectoryW(ExtendedPath(path).c_str());
      else
        ::DeleteFileW(ExtendedPath(path).c_str());
    } while (::FindNextFileW(find.get(), &data));
  }
  find.reset();
  ::RemoveDirectoryW(ExtendedPath(dir).c_str());
}

}  // namespace vantrel
