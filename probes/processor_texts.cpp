#include "probes/processor_texts.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace vantrel {

namespace {

// The registered sign of code page 1252, which every vendor label starts with.
constexpr char kRegisteredSign[] = "\xAE";

// Intel and unrecognised makers are named from the operating system's type
// and level only; the two differ in their 586 and x64 texts.
std::string TypeByOs(const OsProcessorValues& os, const char* level6, const char* otherLevel, const char* x64) {
  switch (os.type) {
    case 386:
      return "386";
    case 486:
      return "486";
    case 586:
      return os.level == 6 ? level6 : otherLevel;
    case 8664:  // what a 64-bit process is told on x86-64, as the main window's "x64 / Compatible"
      return x64;
    default:
      return "Unknown";
  }
}

std::string IntelType(const CpuidInfo&, const OsProcessorValues& os) {
  return TypeByOs(os, "Pentium II (tm)", "Pentium (tm)", "x64");
}

std::string CompatibleType(const CpuidInfo&, const OsProcessorValues& os) {
  return TypeByOs(os, "Pentium II(tm) Compatible", "Pentium(tm) Compatible", "x64 Compatible");
}

std::string CyrixType(const CpuidInfo& info, const OsProcessorValues&) {
  switch (CpuFamily(info)) {
    case 4:
      return "MediaGX (tm)";
    case 5:
      switch (CpuModel(info)) {
        case 2:
          return "6x86L (tm)";
        case 4:
          return "MediaGX w/MMX (tm)";
        default:
          return "Unknown";
      }
    case 6:
      return "6x86MX MII(tm)";
    default:
      return "Unknown";
  }
}

std::string AmdType(const CpuidInfo& info, const OsProcessorValues&) {
  switch (CpuFamily(info)) {
    case 4:
      return "Am486 or Am5x86";
    case 5: {
      const int model = CpuModel(info);
      if (model <= 3) return "AMD K5";
      return model == 6 ? "AMD K6 MMX" : "Unknown";
    }
    default:
      return "Unknown";
  }
}

std::string NoType(const CpuidInfo&, const OsProcessorValues&) { return {}; }

struct VendorRow {
  const char* vendor;  // nullptr: the row for every other vendor
  const char* labelSuffix;
  VendorLogo logo;
  std::string (*type)(const CpuidInfo&, const OsProcessorValues&);
};

// Matched in order, exactly and case-sensitively; the last row takes the rest.
constexpr VendorRow kVendors[] = {
    {"GenuineIntel", " Intel", VendorLogo::Intel, IntelType}, {"CyrixInstead", " Cyrix", VendorLogo::Cyrix, CyrixType},
    {"AuthenticAMD", " AMD", VendorLogo::Amd, AmdType},       {"CentaurHauls", "", VendorLogo::Centaur, NoType},
    {nullptr, "", VendorLogo::None, CompatibleType},
};

const VendorRow& FindVendor(std::string_view vendor) {
  const VendorRow* row = std::begin(kVendors);
  while (row->vendor != nullptr && vendor != row->vendor) ++row;
  return *row;
}

// The vendor text up to its terminator, never past the record's 12 bytes.
std::string_view VendorText(const CpuidInfo& info) {
  const char* end = std::find(info.vendor, info.vendor + sizeof info.vendor - 1, '\0');
  return std::string_view(info.vendor, static_cast<std::size_t>(end - info.vendor));
}

const char* PresentText(const CpuidInfo& info, unsigned bit) {
  return HasFeature(info, bit) ? "Present" : "Not Present";
}

}  // namespace

const char* FeatureStateText(const CpuidInfo& info, int row) {
  if (row < 0 || row >= static_cast<int>(FeatureTable.size())) return "Not Available";
  return PresentText(info, FeatureTable[row].bit);
}

ProcessorTexts DescribeProcessor(const CpuidInfo* info, const OsProcessorValues& os, ClockMeasureFn measureClock) {
  ProcessorTexts t;
  t.processors = std::to_string(os.count);
  if (info == nullptr) return t;

  t.vendor = VendorText(*info);
  const VendorRow& row = FindVendor(t.vendor);
  t.vendorLabel = std::string(kRegisteredSign) + row.labelSuffix;
  t.logo = row.logo;
  t.type = row.type(*info, os);
  t.revision = std::to_string(CpuModel(*info));
  t.clock = HasFeature(*info, kFeatureTsc) ? std::to_string(measureClock()) + " MHz" : "Unavailable";
  t.fpu = PresentText(*info, kFeatureFpu);
  t.mmx = HasFeature(*info, kFeatureMmx) ? "Available" : "Not Available";
  return t;
}

}  // namespace vantrel
