#include "gauge/zelbo_test_support.h"

#include <cstring>
#include <utility>

#include "fw/bin_dir.h"

namespace zelbo_test {

std::string OcxPath() { return fw::BinDir() + "\\Zelbo.ocx"; }

int RunProcess(const std::string& cmd) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string line = cmd;
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  fw::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  ::WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 0;
  ::GetExitCodeProcess(pi.hProcess, &code);
  return static_cast<int>(code);
}

Ptr<IDispatch> Registered::Create() {
  Ptr<IDispatch> d;
  EXPECT_EQ(::CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, d.put_void()), S_OK);
  if (auto p = d.As<IPersistStreamInit>(IID_IPersistStreamInit)) {
    EXPECT_EQ(p->InitNew(), S_OK);
  }
  return d;
}

Call Invoke(IDispatch* d, DISPID id, WORD flags, std::vector<Arg> args, bool namedPut) {
  std::vector<VARIANT> rev;
  for (auto it = args.rbegin(); it != args.rend(); ++it) rev.push_back(it->v);
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS dp{rev.data(), namedPut ? &put : nullptr, static_cast<UINT>(rev.size()), namedPut ? 1u : 0u};
  Call c{kPoison, {}, 0xBEEF};
  ::VariantInit(&c.result);
  c.hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &dp, &c.result, nullptr, &c.argErr);
  for (VARIANT& v : rev) ::VariantClear(&v);
  return c;
}
HRESULT Method(IDispatch* d, DISPID id, std::vector<Arg> args) {
  return Invoke(d, id, DISPATCH_METHOD, std::move(args)).hr;
}
short GetPos(IDispatch* d) {
  Call c = Invoke(d, zelbo::kDispGetPos, DISPATCH_METHOD, {});
  EXPECT_EQ(c.hr, S_OK);
  EXPECT_EQ(V_VT(&c.result), VT_I2);
  return V_I2(&c.result);
}
HRESULT Put(IDispatch* d, DISPID id, bool value) { return Invoke(d, id, DISPATCH_PROPERTYPUT, {Arg(value)}, true).hr; }
bool Get(IDispatch* d, DISPID id) {
  Call c = Invoke(d, id, DISPATCH_PROPERTYGET, {});
  EXPECT_EQ(c.hr, S_OK);
  EXPECT_EQ(V_VT(&c.result), VT_BOOL);
  EXPECT_TRUE(V_BOOL(&c.result) == VARIANT_TRUE || V_BOOL(&c.result) == VARIANT_FALSE);
  return V_BOOL(&c.result) != VARIANT_FALSE;
}

std::wstring W(const char* s) { return std::wstring(s, s + std::strlen(s)); }

}  // namespace zelbo_test

// The tests run in one OLE apartment, as a container's user-interface thread does.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::OleInitialize(nullptr);
  const int rc = RUN_ALL_TESTS();
  ::OleUninitialize();
  return rc;
}
