// The operating system, power and display facts of the "Extended Information"
// window, read from the platform.
#pragma once

#include <optional>

#include "probes/extended_texts.h"

namespace vantrel {

// GetVersionExA with the 148-byte record; nothing when the call fails.
std::optional<OsVersion> ReadOsVersion();

// GetSystemPowerStatus; nothing when the call fails.
std::optional<PowerStatus> ReadPowerStatus();

// Resolution and colour depth under HKLM "Config\0001\Display\settings", the
// monitor's description under HKLM "enum\monitor\default_monitor\0001";
// each one missing there comes from the primary display's current mode
// ("width,height" and the bits per pixel) and its monitor's description.
DisplayFacts ReadDisplayFacts();

}  // namespace vantrel
