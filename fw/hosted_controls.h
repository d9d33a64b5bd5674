// The dialog's side of ActiveX control hosting: which template items name a
// control by "{CLSID}", and the live controls created for them.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

namespace fw {

class HostedControls {
 public:
  struct Item {
    int id = 0;
    std::wstring clsid;               // "{...}" as written in the template
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD style = 0, exStyle = 0;
    bool hasStream = false;           // a DLGINIT load record exists
    std::vector<BYTE> stream;         // its data after the leading count
  };
  using Items = std::vector<Item>;

  HostedControls();
  ~HostedControls();

  // Copies the dialog template `id` into `out` without its "{CLSID}" items,
  // which go to `hosted` with their initial data from the DLGINIT resource.
  static bool SplitTemplate(HMODULE module, UINT id, const BYTE* bytes, DWORD size, std::vector<BYTE>& out,
                            Items& hosted);

  // Creates, loads and activates every hosted control; false when any fails.
  bool Create(HWND dialog, const Items& hosted);
  IDispatch* Dispatch(int id) const;
  void Destroy();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace fw
