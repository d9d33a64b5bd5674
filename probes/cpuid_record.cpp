#include "probes/cpuid_record.h"

namespace vantrel {

namespace {

// The register's four bytes in memory order (little-endian).
void PutBytes(char* out, std::uint32_t reg) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((reg >> (8 * i)) & 0xFF);
}

}  // namespace

void FillCpuidRecord(CpuidInfo& info, CpuidLeafFn cpuid) {
  const CpuidRegs leaf0 = cpuid(0);
  info.maxLeaf = leaf0.eax;
  PutBytes(info.vendor, leaf0.ebx);
  PutBytes(info.vendor + 4, leaf0.edx);
  PutBytes(info.vendor + 8, leaf0.ecx);
  info.vendor[12] = '\0';

  const CpuidRegs leaf1 = cpuid(1);
  info.signature = leaf1.eax;
  info.leaf1Ebx = leaf1.ebx;
  info.leaf1Ecx = leaf1.ecx;
  info.features = leaf1.edx;

  if (info.maxLeaf >= 2) {
    const CpuidRegs leaf2 = cpuid(2);
    info.leaf2[0] = leaf2.eax;
    info.leaf2[1] = leaf2.ebx;
    info.leaf2[2] = leaf2.ecx;
    info.leaf2[3] = leaf2.edx;
  }
}

int CpuFamily(const CpuidInfo& info) { return static_cast<int>((info.signature >> 8) & 0xF); }

int CpuModel(const CpuidInfo& info) { return static_cast<int>((info.signature >> 4) & 0xF); }

bool HasFeature(const CpuidInfo& info, unsigned bit) { return bit <= 31 && ((info.features >> bit) & 1u) != 0; }

std::uint64_t ClockMhz(std::uint64_t before, std::uint64_t after) {
  const std::uint64_t t1 = before / 1000000;
  const std::uint64_t t2 = after / 1000000;
  return t2 >= t1 ? t2 - t1 : 0;
}

}  // namespace vantrel
