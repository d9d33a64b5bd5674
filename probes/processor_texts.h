// The texts of the "Advanced Processor Information" window, derived from the
// CPUID record and the operating system's processor values: processor type by
// vendor, family and model, vendor label and logo, revision, clock speed,
// floating-point unit, MMX and the 16-row feature list.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "probes/cpuid_record.h"

namespace vantrel {

struct FeatureRow {
  const char* text;
  unsigned bit;  // in the feature word
};

// In list order: the row number is the list box index. Bit 10 is not listed.
inline constexpr std::array<FeatureRow, 16> FeatureTable = {{
    {"Vitrual 8086 Mode Enhancements", 1},
    {"Debugging Extensions", 2},
    {"Page Size Extensions", 3},
    {"Time Stamp Counter", 4},
    {"Model Specific Registers", 5},
    {"Physical Address Extension", 6},
    {"Machine Check Exception", 7},
    {"CMPXCHG8B Instruction", 8},
    {"Advanced Programmable Interrupt Controller", 9},
    {"SYSCALL / SYSRET Instructions", 11},
    {"Memory Type Range Registers", 12},
    {"PTE Global Flag", 13},
    {"Machine Check Architecture", 14},
    {"Conditional Move and Compare Instruction", 15},
    {"Page Attribute Table", 16},
    {"Fast FPU Save and Restore", 24},
}};

// "Present" or "Not Present" for rows 0 to 15; "Not Available" for any other
// row, including the list box's no-selection result.
const char* FeatureStateText(const CpuidInfo& info, int row);

// The maker's logo shown beside the vendor label; the window maps it to its
// bitmap resource.
enum class VendorLogo { None, Amd, Cyrix, Intel, Centaur };

// What GetSystemInfo reports about the processors.
struct OsProcessorValues {
  std::uint32_t count = 0;  // dwNumberOfProcessors
  std::uint32_t type = 0;   // dwProcessorType: 386, 486, 586, ...
  std::uint16_t level = 0;  // wProcessorLevel: 6 for the sixth generation
};

struct ProcessorTexts {
  std::string type;         // 1006
  std::string vendor;       // 1005, the vendor text as read
  std::string processors;   // 1016
  std::string revision;     // 1007, the model field
  std::string clock;        // 1004
  std::string vendorLabel;  // 1036, in code page 1252
  std::string fpu;          // 1011
  std::string mmx;          // 1012
  VendorLogo logo = VendorLogo::None;
};

// Measures the clock in whole MHz (MeasureClockMhz on the real processor).
using ClockMeasureFn = std::uint64_t (*)();

// Every text of the window. Without a record (no CPUID) only the processor
// count is filled. The clock is measured only when the processor has a
// time-stamp counter; otherwise it reads "Unavailable".
ProcessorTexts DescribeProcessor(const CpuidInfo* info, const OsProcessorValues& os, ClockMeasureFn measureClock);

}  // namespace vantrel
