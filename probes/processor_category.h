// The processor category line of the main window, from GetSystemInfo's
// dwProcessorType and wProcessorLevel.
#pragma once

#include <cstdint>

namespace vantrel {

// "386", "486", "Pentium II(tm) / Compatible" (586, level 6),
// "Pentium(tm) / Compatible" (586, other levels), "x64 / Compatible" (8664,
// as a 64-bit process sees any x86-64 processor) or "Unknown".
const char* ProcessorCategory(std::uint32_t processorType, std::uint16_t processorLevel);

}  // namespace vantrel
