// The folder of the running program. A build puts every program and module
// of its tree in one folder, so a test finds there the program and control it
// drives, and the installer's test the files an installation must match.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

inline std::string BinDir() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string file = path;
  return file.substr(0, file.find_last_of('\\'));
}

}  // namespace fw
