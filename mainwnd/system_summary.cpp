#include "mainwnd/system_summary.h"

#include <windows.h>

#include "probes/processor_category.h"
#include "probes/reg_key_reader.h"

namespace vantrel {
namespace {

constexpr char kComputerNameKey[] = "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName";

std::wstring ReadComputerName() {
  std::wstring name;
  CRegKeyReader reader(HKEY_LOCAL_MACHINE);
  if (!reader.Open(HKEY_LOCAL_MACHINE, kComputerNameKey)) return name;
  reader.ReadString(L"ComputerName", name);
  reader.Close();
  return name;
}

std::wstring ReadUserName() {
  // The lookup uses a 25-character buffer; a longer name leaves the field empty.
  wchar_t name[25] = {};
  DWORD size = 25;
  return ::GetUserNameW(name, &size) ? name : L"";
}

std::string ReadProcessorCategory() {
  SYSTEM_INFO info{};
  ::GetSystemInfo(&info);
  return ProcessorCategory(info.dwProcessorType, info.wProcessorLevel);
}

}  // namespace

SystemSummary ReadSystemSummary() { return {ReadComputerName(), ReadUserName(), ReadProcessorCategory()}; }

}  // namespace vantrel
