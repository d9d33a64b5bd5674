// The texts of the "Extended Information" window: operating system name,
// version, build and extra text; display resolution, colour depth and
// monitor; mains and battery status, charge and battery life.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// What GetVersionExA reports.
struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platformId = 0;
  std::string csdVersion;
};

// What GetSystemPowerStatus reports.
struct PowerStatus {
  std::uint8_t acLineStatus = 0;
  std::uint8_t batteryFlag = 0;
  std::uint8_t batteryLifePercent = 0;
  std::uint32_t batteryLifeTime = 0;      // seconds, 0xFFFFFFFF unknown
  std::uint32_t batteryFullLifeTime = 0;  // seconds, 0xFFFFFFFF unknown
};

// The display and monitor values, in the registry's form, each absent when
// it could not be read.
struct DisplayFacts {
  std::optional<std::string> resolution;    // "800,600"
  std::optional<std::string> bitsPerPixel;  // "16"
  std::optional<std::wstring> monitor;      // the monitor's description, as the system holds it
};

struct ExtendedTexts {
  std::string build;          // 1023
  std::string extra;          // 1024
  std::string osName;         // 1021
  std::string version;        // 1022
  std::string acStatus;       // 1025
  std::string batteryStatus;  // 1026
  std::string charge;         // 1027
  std::string fullLife;       // 1029
  std::string lifeLeft;       // 1028
  std::string bitsPerPixel;   // 1031
  std::string resolution;     // 1030
  std::wstring monitor;       // 1032
};

// Every text of the window. A record the platform could not deliver leaves
// its texts empty, as do codes outside the known ones.
ExtendedTexts DescribeExtended(const std::optional<OsVersion>& os, const std::optional<PowerStatus>& power,
                               const DisplayFacts& display);

// "width,height" laid out as width, two spaces, x, two spaces, height, padded
// with spaces to 15 characters; without a comma the whole text stands for the
// width and nothing follows the x. A text too long for 15 characters keeps
// the same layout and grows instead of losing characters.
std::string ResolutionText(std::string_view registryText);

}  // namespace vantrel
