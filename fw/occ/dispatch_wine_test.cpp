// Dispatch calls as the control sees them.
#include "fw/occ/dispatch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "fw/com.h"
#include "fw/handle.h"

namespace fw::occ {
namespace {

// Records the last call and answers with a preset result.
class RecordingDispatch : public com::Object<RecordingDispatch, IDispatch> {
 public:
  void* Find(REFIID iid) noexcept {
    if (void* p = com::Match<IDispatch>(this, iid, IID_IUnknown)) return p;
    return com::Match<IDispatch>(this, iid, IID_IDispatch);
  }
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exc,
                      UINT*) override {
    ++calls;
    lastId = id;
    lastFlags = flags;
    hadResult = result != nullptr;
    args.clear();
    named.assign(params->rgdispidNamedArgs, params->rgdispidNamedArgs + params->cNamedArgs);
    for (UINT i = 0; i < params->cArgs; ++i) {
      VARIANT copy;
      VariantInit(&copy);
      VariantCopy(&copy, &params->rgvarg[i]);
      args.push_back(copy);
    }
    if (FAILED(answer)) {
      if (exc) exc->bstrDescription = SysAllocString(L"the gauge said no");
      return answer;
    }
    if (result) VariantCopy(result, &reply);
    return S_OK;
  }
  ~RecordingDispatch() override {
    for (VARIANT& v : args) VariantClear(&v);
    VariantClear(&reply);
  }

  HRESULT answer = S_OK;
  VARIANT reply{};
  int calls = 0;
  DISPID lastId = 0;
  WORD lastFlags = 0;
  bool hadResult = false;
  std::vector<VARIANT> args;  // as received: last parameter first
  std::vector<DISPID> named;
};

class DispatchTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override {
    d_.reset();
    OleUninitialize();
  }
  com::Ptr<RecordingDispatch> d_ = com::Make<RecordingDispatch>();
};

TEST_F(DispatchTest, MethodArgumentsArriveLastFirst) {
  ASSERT_EQ(S_OK, InvokeHelper(d_.get(), 4, DISPATCH_METHOD, VT_EMPTY, nullptr, short(3), short(100)));
  EXPECT_EQ(4, d_->lastId);
  EXPECT_EQ(DISPATCH_METHOD, d_->lastFlags);
  EXPECT_FALSE(d_->hadResult);
  EXPECT_TRUE(d_->named.empty());
  ASSERT_EQ(2u, d_->args.size());
  EXPECT_EQ(VT_I2, d_->args[0].vt);
  EXPECT_EQ(100, d_->args[0].iVal);
  EXPECT_EQ(VT_I2, d_->args[1].vt);
  EXPECT_EQ(3, d_->args[1].iVal);
}

TEST_F(DispatchTest, ArgumentTypesFollowTheirCppTypes) {
  ASSERT_EQ(S_OK, InvokeHelper(d_.get(), 7, DISPATCH_METHOD, VT_EMPTY, nullptr, true, 0x00FF00FFL, 2.5, L"C:\\"));
  ASSERT_EQ(4u, d_->args.size());
  ASSERT_EQ(VT_BSTR, d_->args[0].vt);
  EXPECT_STREQ(L"C:\\", d_->args[0].bstrVal);
  EXPECT_EQ(VT_R8, d_->args[1].vt);
  EXPECT_EQ(VT_I4, d_->args[2].vt);
  EXPECT_EQ(0x00FF00FF, d_->args[2].lVal);
  EXPECT_EQ(VT_BOOL, d_->args[3].vt);
  EXPECT_EQ(VARIANT_TRUE, d_->args[3].boolVal);
}

TEST_F(DispatchTest, PropertyPutsNameTheirValue) {
  struct Case {
    const char* name;
    HRESULT (*put)(IDispatch*);
    VARIANT_BOOL expected;
  };
  const Case cases[] = {
      {"bool false", [](IDispatch* d) { return SetProperty(d, 2, VT_BOOL, false); }, VARIANT_FALSE},
      {"Win32 TRUE", [](IDispatch* d) { return SetProperty(d, 2, VT_BOOL, TRUE); }, VARIANT_TRUE},
      {"any non-zero", [](IDispatch* d) { return SetProperty(d, 2, VT_BOOL, 0x100); }, VARIANT_TRUE},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(S_OK, c.put(d_.get())) << c.name;
    EXPECT_EQ(2, d_->lastId) << c.name;
    EXPECT_EQ(DISPATCH_PROPERTYPUT, d_->lastFlags) << c.name;
    ASSERT_EQ(1u, d_->named.size()) << c.name;
    EXPECT_EQ(DISPID_PROPERTYPUT, d_->named[0]) << c.name;
    ASSERT_EQ(1u, d_->args.size()) << c.name;
    EXPECT_EQ(VT_BOOL, d_->args[0].vt) << c.name;
    EXPECT_EQ(c.expected, d_->args[0].boolVal) << c.name;
  }
}

TEST_F(DispatchTest, ResultsAreConvertedIntoTheCallersSlot) {
  d_->reply.vt = VT_I2;
  d_->reply.iVal = 42;
  short pos = 0x5555;
  ASSERT_EQ(S_OK, InvokeHelper(d_.get(), 9, DISPATCH_METHOD, VT_I2, &pos));
  EXPECT_TRUE(d_->hadResult);
  EXPECT_EQ(42, pos);

  long wide = 0x55555555;
  ASSERT_EQ(S_OK, InvokeHelper(d_.get(), 9, DISPATCH_METHOD, VT_I4, &wide));
  EXPECT_EQ(42, wide);

  BSTR text = reinterpret_cast<BSTR>(0x5555);
  ASSERT_EQ(S_OK, GetProperty(d_.get(), 9, VT_BSTR, &text));
  UniqueBstr owned(text);
  EXPECT_STREQ(L"42", text);
  EXPECT_EQ(DISPATCH_PROPERTYGET, d_->lastFlags);

  VARIANT any;
  std::memset(&any, 0x55, sizeof any);
  ASSERT_EQ(S_OK, InvokeHelper(d_.get(), 9, DISPATCH_METHOD, VT_VARIANT, &any));
  EXPECT_EQ(VT_I2, any.vt);
  EXPECT_EQ(42, any.iVal);
}

TEST_F(DispatchTest, FailuresComeBackAndLeaveTheSlotEmpty) {
  d_->answer = DISP_E_EXCEPTION;
  short pos = 0x5555;
  EXPECT_EQ(DISP_E_EXCEPTION, InvokeHelper(d_.get(), 9, DISPATCH_METHOD, VT_I2, &pos));
  EXPECT_EQ(0, pos);

  d_->answer = S_OK;
  d_->reply.vt = VT_BSTR;
  d_->reply.bstrVal = SysAllocString(L"not a number");
  pos = 0x5555;
  EXPECT_EQ(DISP_E_TYPEMISMATCH, InvokeHelper(d_.get(), 9, DISPATCH_METHOD, VT_I2, &pos));
  EXPECT_EQ(0, pos);
}

TEST_F(DispatchTest, BadRequestsNeverReachTheControl) {
  DATE date = 1;
  EXPECT_EQ(E_INVALIDARG, InvokeHelper(d_.get(), 9, DISPATCH_METHOD, VT_DATE, &date));
  EXPECT_EQ(E_POINTER, InvokeHelper(d_.get(), 9, DISPATCH_METHOD, VT_I2, nullptr));
  EXPECT_EQ(DISP_E_BADPARAMCOUNT, InvokeHelper(d_.get(), 2, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr));
  EXPECT_EQ(E_POINTER, InvokeHelper(nullptr, 3, DISPATCH_METHOD, VT_EMPTY, nullptr, short(1)));
  EXPECT_EQ(0, d_->calls);
}

}  // namespace
}  // namespace fw::occ
