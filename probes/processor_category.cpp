#include "probes/processor_category.h"

namespace vantrel {

const char* ProcessorCategory(std::uint32_t processorType, std::uint16_t processorLevel) {
  switch (processorType) {
    case 386:
      return "386";
    case 486:
      return "486";
    case 586:
      return processorLevel == 6 ? "Pentium II(tm) / Compatible" : "Pentium(tm) / Compatible";
    case 8664:  // PROCESSOR_AMD_X8664: what a 64-bit process is told on x86-64
      return "x64 / Compatible";
    default:
      return "Unknown";
  }
}

}  // namespace vantrel
