#include "fw/occ/module_manifest.h"

namespace fw::occ {

ModuleManifestScope::ModuleManifestScope(const std::wstring& modulePath) noexcept {
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = modulePath.c_str();
  // A module keeps its manifest as resource 2 (ISOLATIONAWARE_MANIFEST_RESOURCE_ID).
  request.lpResourceName = MAKEINTRESOURCEW(2);
  context_.reset(::CreateActCtxW(&request));
  active_ = context_ && ::ActivateActCtx(context_.get(), &cookie_);
}

ModuleManifestScope::~ModuleManifestScope() {
  if (active_) ::DeactivateActCtx(0, cookie_);
}

std::wstring ProgramFolderPath(const wchar_t* fileName) {
  // Long enough for any path the platform hands a program, also beyond MAX_PATH.
  std::wstring path(32768, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path.substr(0, path.find_last_of(L'\\') + 1) + fileName;
}

}  // namespace fw::occ
