#include "fw/occ/dialog_resource.h"

namespace fw::occ {
namespace {

// The bytes of a resource; resources live as long as their module.
bool FindBytes(HMODULE module, LPCWSTR name, LPCWSTR type, const void*& data, std::size_t& size) {
  HRSRC info = FindResourceW(module, name, type);
  if (!info) return false;
  HGLOBAL loaded = LoadResource(module, info);
  data = loaded ? LockResource(loaded) : nullptr;
  size = SizeofResource(module, info);
  return data != nullptr;
}

}  // namespace

std::optional<DialogResource> LoadDialogResource(HMODULE module, LPCWSTR name) {
  const void* data = nullptr;
  std::size_t size = 0;
  if (!FindBytes(module, name, MAKEINTRESOURCEW(5) /* RT_DIALOG */, data, size)) return std::nullopt;
  auto split = SplitDialogTemplate(data, size);
  if (!split) return std::nullopt;
  DialogResource out{std::move(*split), {}};
  if (FindBytes(module, name, DlgInitType(), data, size)) {
    auto streams = ParseDlgInit(data, size);
    if (!streams) return std::nullopt;
    out.streams = std::move(*streams);
  }
  return out;
}

}  // namespace fw::occ
