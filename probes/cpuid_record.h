// The processor's identification record as CPUID leaves 0, 1 and 2 deliver it,
// and the fields and bits the program reads from it. The instructions
// themselves are executed by the Win32 side (cpu_probe.h); everything here
// works on register values.
#pragma once

#include <cstdint>

namespace vantrel {

struct CpuidRegs {
  std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

struct CpuidInfo {
  char vendor[13] = {};         // leaf 0: EBX, EDX, ECX bytes, then a terminator
  std::uint32_t maxLeaf = 0;    // leaf 0 EAX: highest standard leaf
  std::uint32_t signature = 0;  // leaf 1 EAX
  std::uint32_t leaf1Ebx = 0;   // leaf 1 EBX
  std::uint32_t leaf1Ecx = 0;   // leaf 1 ECX
  std::uint32_t features = 0;   // leaf 1 EDX: the feature word
  std::uint32_t leaf2[4] = {};  // leaf 2 EAX..EDX, only when maxLeaf >= 2
};

// Feature-word bits read on their own, outside the feature list.
inline constexpr unsigned kFeatureFpu = 0;
inline constexpr unsigned kFeatureTsc = 4;
inline constexpr unsigned kFeatureMmx = 23;

// Executes CPUID for one leaf.
using CpuidLeafFn = CpuidRegs (*)(std::uint32_t leaf);

// Fills the record from leaves 0 and 1, and from leaf 2 when the processor
// reports it; leaf2 keeps its previous contents otherwise.
void FillCpuidRecord(CpuidInfo& info, CpuidLeafFn cpuid);

// Signature bits 8-11 and 4-7; the extended family and model are not used.
int CpuFamily(const CpuidInfo& info);
int CpuModel(const CpuidInfo& info);

// The feature word's bit; false for any bit above 31.
bool HasFeature(const CpuidInfo& info, unsigned bit);

// Whole megahertz between two time-stamp counter readings taken one second
// apart: each reading is truncated to millions on its own, in 64 bits, so the
// result stays right however long the machine has been running. A counter
// that went backwards (readings from processors whose counters are not in
// step) gives 0 rather than a wrapped-around figure.
std::uint64_t ClockMhz(std::uint64_t before, std::uint64_t after);

}  // namespace vantrel
