#include "probes/system_facts.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>

#include "probes/reg_key_reader.h"

namespace vantrel {

namespace {

std::optional<std::string> ReadValue(CRegKeyReader& reader, const char* name) {
  std::string value;
  if (!reader.ReadString(name, value)) return std::nullopt;
  return value;
}

// The description of the first monitor on the primary display adapter.
std::optional<std::wstring> PrimaryMonitorName() {
  DISPLAY_DEVICEW adapter{};
  adapter.cb = sizeof adapter;
  for (DWORD i = 0; ::EnumDisplayDevicesW(nullptr, i, &adapter, 0); ++i) {
    if (!(adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)) continue;
    DISPLAY_DEVICEW monitor{};
    monitor.cb = sizeof monitor;
    if (!::EnumDisplayDevicesW(adapter.DeviceName, 0, &monitor, 0)) return std::nullopt;
    return std::wstring(monitor.DeviceString, wcsnlen(monitor.DeviceString, std::size(monitor.DeviceString)));
  }
  return std::nullopt;
}

}  // namespace

std::optional<OsVersion> ReadOsVersion() {
  OSVERSIONINFOA osvi = {};
  osvi.dwOSVersionInfoSize = sizeof osvi;
  static_assert(sizeof osvi == 148, "the record the platform expects");
  if (!::GetVersionExA(&osvi)) return std::nullopt;
  return OsVersion{osvi.dwMajorVersion, osvi.dwMinorVersion, osvi.dwBuildNumber, osvi.dwPlatformId,
                   std::string(osvi.szCSDVersion, strnlen(osvi.szCSDVersion, sizeof osvi.szCSDVersion))};
}

std::optional<PowerStatus> ReadPowerStatus() {
  SYSTEM_POWER_STATUS ps = {};
  if (!::GetSystemPowerStatus(&ps)) return std::nullopt;
  return PowerStatus{ps.ACLineStatus, ps.BatteryFlag, ps.BatteryLifePercent, ps.BatteryLifeTime,
                     ps.BatteryFullLifeTime};
}

DisplayFacts ReadDisplayFacts() {
  DisplayFacts facts;
  CRegKeyReader reader(HKEY_LOCAL_MACHINE);
  if (reader.Open(HKEY_LOCAL_MACHINE, "Config\\0001\\Display\\settings")) {
    facts.resolution = ReadValue(reader, "Resolution");
    facts.bitsPerPixel = ReadValue(reader, "BitsPerPixel");
    reader.Close();
  }
  if (reader.Open(HKEY_LOCAL_MACHINE, "enum\\monitor\\default_monitor\\0001")) {
    std::wstring monitor;
    if (reader.ReadString(L"DeviceDesc", monitor)) facts.monitor = monitor;
    reader.Close();
  }
  // Those keys exist only on the 95 generation: elsewhere each fact comes from
  // the primary display, in the keys' own form.
  if (!facts.resolution || !facts.bitsPerPixel) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
      if (!facts.resolution)
        facts.resolution = std::to_string(mode.dmPelsWidth) + "," + std::to_string(mode.dmPelsHeight);
      if (!facts.bitsPerPixel) facts.bitsPerPixel = std::to_string(mode.dmBitsPerPel);
    }
  }
  if (!facts.monitor) facts.monitor = PrimaryMonitorName();
  return facts;
}

}  // namespace vantrel
