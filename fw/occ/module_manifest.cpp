#include "fw/occ/module_manifest.h"

#include <cwchar>
#include <vector>

namespace fw::occ {

ModuleManifestScope::ModuleManifestScope(const wchar_t* fileName) noexcept {
  // Room for any path the platform hands a program, also beyond MAX_PATH.
  std::vector<wchar_t> path(32768);
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  wchar_t* slash = length ? std::wcsrchr(path.data(), L'\\') : nullptr;
  if (!slash || static_cast<size_t>(slash - path.data()) + 1 + std::wcslen(fileName) >= path.size()) return;
  std::wcscpy(slash + 1, fileName);

  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path.data();
  // A module keeps its manifest as resource 2 (ISOLATIONAWARE_MANIFEST_RESOURCE_ID).
  request.lpResourceName = MAKEINTRESOURCEW(2);
  context_.reset(::CreateActCtxW(&request));
  active_ = context_ && ::ActivateActCtx(context_.get(), &cookie_);
}

ModuleManifestScope::~ModuleManifestScope() {
  if (active_) ::DeactivateActCtx(0, cookie_);
}

}  // namespace fw::occ
