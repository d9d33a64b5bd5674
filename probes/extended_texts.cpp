#include "probes/extended_texts.h"

namespace vantrel {

namespace {

constexpr char kUnknownStatus[] = "Unknown status";
constexpr std::uint32_t kUnknownLifeTime = 0xFFFFFFFF;
constexpr std::uint8_t kUnknownPercent = 255;
constexpr std::size_t kResolutionWidth = 15;

const char* OsNameText(const OsVersion& os) {
  switch (os.platformId) {
    case 0:  // VER_PLATFORM_WIN32s
      return "Windows 3.1";
    case 1:  // VER_PLATFORM_WIN32_WINDOWS: 4.0 is 95, 4.10 and 4.90 the later ones
      return os.minor != 0 ? "Windows 98" : "Windows 95";
    case 2:  // VER_PLATFORM_WIN32_NT
      return "Windows NT";
    default:
      return "";
  }
}

const char* AcStatusText(std::uint8_t status) {
  switch (status) {
    case 0:
      return "Offline";
    case 1:
      return "Online";
    case 255:
      return kUnknownStatus;
    default:
      return "";
  }
}

// Single flags only: a combination such as high and charging has no text.
const char* BatteryStatusText(std::uint8_t flag) {
  switch (flag) {
    case 1:
      return "High";
    case 2:
      return "Low";
    case 4:
      return "Critical";
    case 8:
      return "Charging";
    case 128:
      return "No system battery";
    case 255:
      return kUnknownStatus;
    default:
      return "";
  }
}

std::string ChargeText(std::uint8_t percent) {
  return percent == kUnknownPercent ? kUnknownStatus : std::to_string(percent) + " %";
}

// The platform's field is unsigned but the count is shown as a signed number.
std::string LifeTimeText(std::uint32_t seconds) {
  if (seconds == kUnknownLifeTime) return kUnknownStatus;
  return std::to_string(static_cast<std::int32_t>(seconds)) + " seconds";
}

}  // namespace

std::string ResolutionText(std::string_view registryText) {
  const std::size_t comma = registryText.find(',');
  std::string text(registryText.substr(0, comma));
  text += "  x";
  if (comma != std::string_view::npos) {
    text += "  ";
    text += registryText.substr(comma + 1);
  }
  if (text.size() < kResolutionWidth) text.resize(kResolutionWidth, ' ');
  return text;
}

ExtendedTexts DescribeExtended(const std::optional<OsVersion>& os, const std::optional<PowerStatus>& power,
                               const DisplayFacts& display) {
  ExtendedTexts t;
  if (os) {
    t.osName = OsNameText(*os);
    t.version = std::to_string(os->major) + "." + std::to_string(os->minor);
    // The whole field, as a signed number: the 95 generation keeps the
    // version in the high word, which shows here.
    t.build = std::to_string(static_cast<std::int32_t>(os->build));
    t.extra = os->csdVersion;
  }
  if (power) {
    t.acStatus = AcStatusText(power->acLineStatus);
    t.batteryStatus = BatteryStatusText(power->batteryFlag);
    t.charge = ChargeText(power->batteryLifePercent);
    t.lifeLeft = LifeTimeText(power->batteryLifeTime);
    t.fullLife = LifeTimeText(power->batteryFullLifeTime);
  }
  if (display.resolution) t.resolution = ResolutionText(*display.resolution);
  if (display.bitsPerPixel) t.bitsPerPixel = *display.bitsPerPixel;
  if (display.monitor) t.monitor = *display.monitor;
  return t;
}

}  // namespace vantrel
