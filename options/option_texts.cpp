#include "options/option_texts.h"

namespace vantrel {

std::string ThresholdText(int percent) { return "< " + std::to_string(percent) + "%"; }

std::string MemoryPeriodText(int seconds) { return std::to_string(seconds) + " seconds"; }

std::string DrivePeriodText(int minutes) { return std::to_string(minutes) + " minute(s)"; }

}  // namespace vantrel
