// The system summary the main window shows from its start: the computer's
// name, the user's name and the processor's category.
#pragma once

#include <string>

namespace vantrel {

struct SystemSummary {
  std::string computerName;  // empty without the computer-name key
  std::string userName;      // empty when longer than 24 characters
  std::string processor;     // probes/processor_category.h
};

// Reads the summary from the registry and the platform.
SystemSummary ReadSystemSummary();

}  // namespace vantrel
