// A control module's own manifest as the thread's activation context: the
// host uses the module beside it, with nothing registered. While the scope
// is active, the platform looks up the classes, type library and interfaces
// that manifest (resource 2 of the module) describes in it before the
// registry, and loads the module by its full path, so a copy of another
// version registered elsewhere never serves this host.
#pragma once

#include <windows.h>

#include "fw/handle.h"

namespace fw::occ {

class ModuleManifestScope {
 public:
  // Activates the manifest of the module `fileName` in the running program's
  // own folder. A missing file or a module without a manifest activates
  // nothing: the platform's usual lookup through the registry applies.
  explicit ModuleManifestScope(const wchar_t* fileName) noexcept;
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

}  // namespace fw::occ
