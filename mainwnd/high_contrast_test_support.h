// High contrast for the main window inside this process, where Wine 8 cannot
// give it: Wine always answers that high contrast is off and ignores
// SPI_SETHIGHCONTRAST. A stand-in answers SPI_GETHIGHCONTRAST "on" to the
// modules that ask (this program, which holds the window's code, and the
// gauge's module) through their import tables, and a scheme of system colours
// like the platform's high-contrast black one is set with SetSysColors.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

namespace vantrel {

// The import-table slot of `dll`!`name` in `module`, or null.
inline void** ImportSlot(HMODULE module, const char* dll, const char* name) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
    if (_stricmp(reinterpret_cast<const char*>(base + imp->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

using SpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
// The platform's SystemParametersInfoA, as the import tables held it.
inline SpiFunction g_platformSpi = nullptr;

inline BOOL WINAPI SpiWithHighContrastOn(UINT action, UINT param, PVOID data, UINT flags) {
  if (action != SPI_GETHIGHCONTRAST || !data) return g_platformSpi(action, param, data, flags);
  auto* contrast = static_cast<HIGHCONTRASTA*>(data);
  contrast->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
  contrast->lpszDefaultScheme = nullptr;
  return TRUE;
}

// For as long as it lives, high contrast is on for the given modules' calls
// of SystemParametersInfoA; their other calls go on to the platform.
class HighContrastStandIn {
 public:
  explicit HighContrastStandIn(const std::vector<HMODULE>& modules) {
    for (HMODULE m : modules) {
      void** slot = m ? ImportSlot(m, "user32.dll", "SystemParametersInfoA") : nullptr;
      if (!slot) continue;
      g_platformSpi = reinterpret_cast<SpiFunction>(*slot);
      slots_.push_back({slot, *slot});
      Put(slot, reinterpret_cast<void*>(&SpiWithHighContrastOn));
    }
    complete_ = slots_.size() == modules.size();
  }
  ~HighContrastStandIn() {
    for (const Slot& s : slots_) Put(s.slot, s.original);
  }
  HighContrastStandIn(const HighContrastStandIn&) = delete;
  HighContrastStandIn& operator=(const HighContrastStandIn&) = delete;
  // Whether every module had the import to take over.
  bool Complete() const { return complete_; }

 private:
  struct Slot {
    void** slot;
    void* original;
  };
  static void Put(void** slot, void* fn) {
    DWORD old = 0;
    ::VirtualProtect(slot, sizeof fn, PAGE_READWRITE, &old);
    *slot = fn;
    ::VirtualProtect(slot, sizeof fn, old, &old);
  }
  std::vector<Slot> slots_;
  bool complete_ = false;
};

struct ColourEntry {
  int element;
  COLORREF colour;
};

// A high-contrast black scheme: white text on black, cyan highlight.
inline const std::vector<ColourEntry> kHighContrastScheme = {
    {COLOR_WINDOW, RGB(0, 0, 0)},        {COLOR_WINDOWTEXT, RGB(255, 255, 255)}, {COLOR_HIGHLIGHT, RGB(0, 255, 255)},
    {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)}, {COLOR_BTNFACE, RGB(0, 0, 0)},          {COLOR_BTNTEXT, RGB(255, 255, 255)},
};

// The system's colours as given for as long as it lives, the earlier ones
// after.
class SystemColourScheme {
 public:
  explicit SystemColourScheme(const std::vector<ColourEntry>& scheme) {
    std::vector<COLORREF> colours;
    for (const ColourEntry& e : scheme) {
      elements_.push_back(e.element);
      old_.push_back(::GetSysColor(e.element));
      colours.push_back(e.colour);
    }
    ::SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours.data());
  }
  ~SystemColourScheme() { ::SetSysColors(static_cast<int>(elements_.size()), elements_.data(), old_.data()); }
  SystemColourScheme(const SystemColourScheme&) = delete;
  SystemColourScheme& operator=(const SystemColourScheme&) = delete;

 private:
  std::vector<int> elements_;
  std::vector<COLORREF> old_;
};

}  // namespace vantrel
