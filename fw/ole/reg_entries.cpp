#include "fw/ole/reg_entries.h"

namespace fw::ole {

std::vector<RegEntry> ControlEntries(const ControlClassInfo& c) {
  const std::string name = c.typeName.empty() ? c.clsid : c.typeName;
  const std::string cls = "CLSID\\" + c.clsid;
  return {
      {c.progId, "", name},
      {c.progId + "\\CLSID", "", c.clsid},
      {cls, "", name},
      {cls + "\\ProgID", "", c.progId},
      {cls + "\\InprocServer32", "", c.modulePath},
      {cls + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {cls + "\\ToolboxBitmap32", "", c.modulePath + ", " + std::to_string(c.toolboxBitmapId)},
      {cls + "\\MiscStatus", "", "0"},
      {cls + "\\MiscStatus\\1", "", std::to_string(c.miscStatus)},
      {cls + "\\Control", "", ""},
      {cls + "\\TypeLib", "", c.libId},
      {cls + "\\Version", "", c.version},
  };
}

std::vector<RegEntry> PageEntries(const PageClassInfo& p) {
  const std::string cls = "CLSID\\" + p.clsid;
  return {
      {cls, "", p.typeName.empty() ? p.clsid : p.typeName},
      {cls + "\\InprocServer32", "", p.modulePath},
  };
}

std::vector<std::string> KeysToDelete(const std::string& clsid, const std::string& progId, bool has16BitServer) {
  const std::string cls = "CLSID\\" + clsid;
  if (has16BitServer) return {cls + "\\InprocServer32", cls + "\\ToolboxBitmap32"};
  std::vector<std::string> keys{cls};
  if (!progId.empty()) keys.push_back(progId);
  return keys;
}

}  // namespace fw::ole
