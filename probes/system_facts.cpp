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
  return facts;
}

}  // namespace vantrel
