// What the gauge module's tests share: the module's identities, the module
// loaded into the test process, registration for the length of one test, and
// calls through IDispatch by dispatch identifier.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/com.h"
#include "fw/handle.h"
#include "gauge/zelbo_ids.h"

namespace zelbo_test {

using fw::com::Ptr;

inline const CLSID kClsid = zelbo::ToGuid(zelbo::kCtrlClsid);
inline const CLSID kPageClsid = zelbo::ToGuid(zelbo::kPageClsid);
inline const GUID kLibId = zelbo::ToGuid(zelbo::kLibId);
inline const IID kDispIid = zelbo::ToGuid(zelbo::kDispIid);
inline const IID kEventsIid = zelbo::ToGuid(zelbo::kEventsIid);
constexpr HRESULT kPoison = static_cast<HRESULT>(0xDEADBEEF);
inline void* const kPoisonPtr = reinterpret_cast<void*>(0xDEADBEEF);

// Zelbo.ocx, beside the test program.
std::string OcxPath();

// Runs a command line and returns its exit code (-1 when it cannot start).
int RunProcess(const std::string& cmd);

// The module loaded into this process, for its exports.
struct Module {
  fw::UniqueModule dll{::LoadLibraryA(OcxPath().c_str())};
  template <class F>
  F Get(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(dll.get(), name)));
  }
  HRESULT Register() { return Get<HRESULT(WINAPI*)()>("DllRegisterServer")(); }
  HRESULT Unregister() { return Get<HRESULT(WINAPI*)()>("DllUnregisterServer")(); }
  HRESULT CanUnloadNow() { return Get<HRESULT(WINAPI*)()>("DllCanUnloadNow")(); }
};

// Registration for the length of one test.
class Registered : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(module_.Register(), S_OK); }
  void TearDown() override { EXPECT_EQ(module_.Unregister(), S_OK); }

  // A new gauge, initialised as a container initialises it.
  Ptr<IDispatch> Create();
  Module module_;
};

// ---- calls through IDispatch ----

struct Arg {
  VARIANT v;
  Arg(short s) { V_VT(&v) = VT_I2, V_I2(&v) = s; }
  Arg(int i) { V_VT(&v) = VT_I4, V_I4(&v) = i; }
  Arg(bool b) { V_VT(&v) = VT_BOOL, V_BOOL(&v) = b ? VARIANT_TRUE : VARIANT_FALSE; }
  Arg(const wchar_t* s) { V_VT(&v) = VT_BSTR, V_BSTR(&v) = ::SysAllocString(s); }
};

struct Call {
  HRESULT hr;
  VARIANT result;
  UINT argErr;
};

Call Invoke(IDispatch* d, DISPID id, WORD flags, std::vector<Arg> args, bool namedPut = false);
HRESULT Method(IDispatch* d, DISPID id, std::vector<Arg> args = {});
short GetPos(IDispatch* d);
HRESULT Put(IDispatch* d, DISPID id, bool value);
bool Get(IDispatch* d, DISPID id);

// The wide text of a member or parameter name.
std::wstring W(const char* s);

}  // namespace zelbo_test
