#include "probes/system_facts.h"

#include <windows.h>

#include <cstring>
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
std::optional<std::string> PrimaryMonitorName() {
  DISPLAY_DEVICEA adapter{};
  adapter.cb = sizeof adapter;
  for (DWORD i = 0; ::EnumDisplayDevicesA(nullptr, i, &adapter, 0); ++i) {
    if (!(adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)) continue;
    DISPLAY_DEVICEA monitor{};
    monitor.cb = sizeof monitor;
    if (!::EnumDisplayDevicesA(adapter.DeviceName, 0, &monitor, 0)) return std::nullopt;
    return std::string(monitor.DeviceString, strnlen(monitor.DeviceString, sizeof monitor.DeviceString));
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
    facts.monitor = ReadValue(reader, "DeviceDesc");
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
