// The processor's own answers: whether it executes CPUID, its identification
// record, its clock measured with the time-stamp counter, and the operating
// system's view of its processors.
#pragma once

#include <cstdint>

#include "probes/cpuid_record.h"
#include "probes/processor_texts.h"

namespace vantrel {

// True when the processor executes CPUID: on 32-bit x86 the identification
// flag of the flags register can be toggled; every x86-64 processor has it.
bool CpuidSupported();

// Fills the record from leaves 0, 1 and (when reported) 2. Without CPUID it
// returns false and leaves the record as it was.
bool ReadCpuid(CpuidInfo& info);

// The time-stamp counter's rate in whole MHz over a one-second sleep; blocks
// the calling thread for that second. Callers check for the counter first.
std::uint64_t MeasureClockMhz();

// Processor count, type and level as GetSystemInfo reports them.
OsProcessorValues ReadOsProcessorValues();

}  // namespace vantrel
