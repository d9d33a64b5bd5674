// The system summary the main window shows from its start: the computer's
// name, the user's name (both as the system holds them, in UTF-16) and the
// processor's category.
#pragma once

#include <string>

namespace vantrel {

struct SystemSummary {
  std::wstring computerName;  // empty without the computer-name key
  std::wstring userName;      // empty when longer than 24 characters
  std::string processor;      // probes/processor_category.h
};

// Reads the summary from the registry and the platform.
SystemSummary ReadSystemSummary();

}  // namespace vantrel
