// The texts of the options pages' value labels. Values are written in decimal
// as given: a stored value outside a slider's range shows as stored until the
// slider first moves.
#pragma once

#include <string>

namespace vantrel {

// Low-space threshold, percent free: "< 15%".
std::string ThresholdText(int percent);
// Memory refresh period, seconds: "10 seconds".
std::string MemoryPeriodText(int seconds);
// Drive refresh period, minutes: "10 minute(s)".
std::string DrivePeriodText(int minutes);

}  // namespace vantrel
