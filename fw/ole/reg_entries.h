// The registry entries of an in-process control class and of a property page
// class, as one table that registration writes and tests compare against.
// Window-free: keys are paths below HKEY_CLASSES_ROOT.
#pragma once

#include <string>
#include <vector>

namespace fw::ole {

struct RegEntry {
  std::string key;    // below HKEY_CLASSES_ROOT
  std::string name;   // empty: the key's default value
  std::string value;  // a string value
  bool operator==(const RegEntry& o) const { return key == o.key && name == o.name && value == o.value; }
};

struct ControlClassInfo {
  std::string clsid;  // registry form, with braces
  std::string progId;
  std::string typeName;  // empty when the string resource is missing: the clsid stands in
  std::string modulePath;
  int toolboxBitmapId = 1;
  unsigned long miscStatus = 0;
  std::string libId;
  std::string version;  // "major.minor"
};

struct PageClassInfo {
  std::string clsid;
  std::string typeName;
  std::string modulePath;
};

std::vector<RegEntry> ControlEntries(const ControlClassInfo& c);
std::vector<RegEntry> PageEntries(const PageClassInfo& p);

// What unregistering one class removes: whole trees, or, when a 16-bit server
// is registered beside it (an "InprocServer" subkey), only the 32-bit keys.
std::vector<std::string> KeysToDelete(const std::string& clsid, const std::string& progId, bool has16BitServer);

}  // namespace fw::ole
