#include "probes/cpu_probe.h"

#include <windows.h>

#include <cpuid.h>
#include <x86intrin.h>

namespace vantrel {

namespace {

CpuidRegs ExecuteCpuid(std::uint32_t leaf) {
  CpuidRegs r;
  __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
  return r;
}

}  // namespace

#if defined(__x86_64__)

// The 64-bit architecture made CPUID part of its baseline: there is no
// processor to ask.
bool CpuidSupported() { return true; }

#elif defined(__i386__)

// Processors before the late 486 models cannot change the identification
// flag (bit 21): write it back inverted and see whether it sticks. The
// caller's flags are restored afterwards.
bool CpuidSupported() {
  std::uint32_t before = 0;
  std::uint32_t after = 0;
  asm volatile(
      "pushfl\n\t"
      "pushfl\n\t"
      "popl %0\n\t"
      "movl %0, %1\n\t"
      "xorl $0x200000, %1\n\t"
      "pushl %1\n\t"
      "popfl\n\t"
      "pushfl\n\t"
      "popl %1\n\t"
      "popfl"
      : "=&r"(before), "=&r"(after)
      :
      : "cc");
  return ((before ^ after) & 0x200000u) != 0;
}

#else
#error "the processor probes are for x86 and x86-64"
#endif

bool ReadCpuid(CpuidInfo& info) {
  if (!CpuidSupported()) return false;
  FillCpuidRecord(info, ExecuteCpuid);
  return true;
}

std::uint64_t MeasureClockMhz() {
  // CPUID waits for earlier instructions to finish, so the first reading is
  // not taken early.
  ExecuteCpuid(0);
  const std::uint64_t before = __rdtsc();
  ::Sleep(1000);
  const std::uint64_t after = __rdtsc();
  return ClockMhz(before, after);
}

OsProcessorValues ReadOsProcessorValues() {
  SYSTEM_INFO si = {};
  ::GetSystemInfo(&si);
  return {si.dwNumberOfProcessors, si.dwProcessorType, si.wProcessorLevel};
}

}  // namespace vantrel
