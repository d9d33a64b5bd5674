// A control module's own manifest as the thread's activation context: the
// host uses the module beside it, with nothing registered. While the scope
// is active, the platform looks up the classes, type library and interfaces
// that manifest (resource 2 of the module) describes in it before the
// registry, and loads the module from the path given, so a copy of another
// version registered elsewhere never serves this host.
#pragma once

#include <windows.h>

#include <string>

#include "fw/handle.h"

namespace fw::occ {

class ModuleManifestScope {
 public:
  // Activates the manifest of the module at `modulePath`, a full path. A
  // missing file or a module without a manifest activates nothing: the
  // platform's usual lookup through the registry applies.
  explicit ModuleManifestScope(const std::wstring& modulePath) noexcept;
  // Activation contexts are per thread and stacked: destroy the scope on the
  // thread that made it, after any scope made within it.
  ~ModuleManifestScope();
  ModuleManifestScope(const ModuleManifestScope&) = delete;
  ModuleManifestScope& operator=(const ModuleManifestScope&) = delete;

  bool Active() const noexcept { return active_; }

 private:
  UniqueActCtx context_;
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// The full path of `fileName` in the running program's own folder.
std::wstring ProgramFolderPath(const wchar_t* fileName);

}  // namespace fw::occ
