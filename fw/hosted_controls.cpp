#include "fw/hosted_controls.h"

namespace fw {

struct HostedControls::Impl {};

HostedControls::HostedControls() = default;
HostedControls::~HostedControls() = default;

bool HostedControls::SplitTemplate(HMODULE, UINT, const BYTE* bytes, DWORD size, std::vector<BYTE>& out,
                                   Items& hosted) {
  out.assign(bytes, bytes + size);
  hosted.clear();
  return true;
}

bool HostedControls::Create(HWND, const Items& hosted) { return hosted.empty(); }
IDispatch* HostedControls::Dispatch(int) const { return nullptr; }
void HostedControls::Destroy() {}

}  // namespace fw
