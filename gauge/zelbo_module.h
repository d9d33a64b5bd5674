// The gauge module object and the registry entries of its two classes.
#pragma once

#include "fw/ole/ole_module.h"

class CZelboModule final : public fw::ole::COleControlModule {
 public:
  CZelboModule();
};

// What registration writes for the control and the page, for this module.
std::vector<fw::ole::RegEntry> ZelboCtrlEntries(const fw::ole::COleControlModule& module);
std::vector<fw::ole::RegEntry> ZelboPageEntries(const fw::ole::COleControlModule& module);
