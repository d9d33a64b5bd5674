// The gauge's persistence: streams as containers save and load them, the
// records of Vantrel's dialog, and property bags.
#include <windows.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fw/com.h"
#include "gauge/zelbo_ids.h"
#include "gauge/zelbo_test_support.h"

namespace zelbo_test {
namespace {

// A property bag on the container side.
class Bag final : public fw::com::Object<Bag, IPropertyBag> {
 public:
  void* Find(REFIID iid) noexcept {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag) ? static_cast<IPropertyBag*>(this)
                                                                              : nullptr;
  }
  ~Bag() override {
    for (auto& [k, v] : values) ::VariantClear(&v);
  }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* v, IErrorLog*) override {
    auto it = values.find(name);
    if (it == values.end()) return E_INVALIDARG;
    const VARTYPE want = V_VT(v);
    ::VariantInit(v);
    return want == VT_EMPTY ? ::VariantCopy(v, &it->second) : ::VariantChangeType(v, &it->second, 0, want);
  }
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* v) override {
    VARIANT copy;
    ::VariantInit(&copy);
    ::VariantCopy(&copy, v);
    ::VariantClear(&values[name]);
    values[name] = copy;
    return S_OK;
  }
  std::map<std::wstring, VARIANT> values;
};

Ptr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
  Ptr<IStream> s;
  EXPECT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, s.put()), S_OK);
  ULONG n = 0;
  if (!bytes.empty()) s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &n);
  LARGE_INTEGER zero{};
  s->Seek(zero, STREAM_SEEK_SET, nullptr);
  return s;
}
std::vector<BYTE> BytesOf(IStream* s) {
  STATSTG st{};
  s->Stat(&st, STATFLAG_NONAME);
  std::vector<BYTE> out(static_cast<size_t>(st.cbSize.QuadPart));
  LARGE_INTEGER zero{};
  s->Seek(zero, STREAM_SEEK_SET, nullptr);
  ULONG n = 0;
  if (!out.empty()) s->Read(out.data(), static_cast<ULONG>(out.size()), &n);
  return out;
}
ULONGLONG Position(IStream* s) {
  LARGE_INTEGER zero{};
  ULARGE_INTEGER at{};
  s->Seek(zero, STREAM_SEEK_CUR, &at);
  return at.QuadPart;
}

TEST_F(Registered, StreamRoundTripMarksClean) {
  Ptr<IDispatch> d = Create();
  auto ps = d.As<IPersistStreamInit>(IID_IPersistStreamInit);
  auto obj = d.As<IOleObject>(IID_IOleObject);
  EXPECT_EQ(ps->IsDirty(), S_FALSE);
  SIZEL ext{3784, 370};
  ASSERT_EQ(obj->SetExtent(DVASPECT_CONTENT, &ext), S_OK);
  ASSERT_EQ(Put(d.get(), zelbo::kDispPercent, true), S_OK);
  EXPECT_EQ(ps->IsDirty(), S_OK);
  ULARGE_INTEGER max{};
  EXPECT_EQ(ps->GetSizeMax(&max), S_OK);
  EXPECT_EQ(max.QuadPart, 18u);
  Ptr<IStream> s = StreamOf({});
  ASSERT_EQ(ps->Save(s.get(), TRUE), S_OK);
  EXPECT_EQ(ps->IsDirty(), S_FALSE);
  EXPECT_EQ(BytesOf(s.get()), (std::vector<BYTE>{0, 0, 1, 0, 0xC8, 0x0E, 0, 0, 0x72, 0x01, 0, 0, 0, 0, 0, 0, 0, 1}));

  Ptr<IDispatch> e = Create();
  auto pe = e.As<IPersistStreamInit>(IID_IPersistStreamInit);
  Ptr<IStream> in = StreamOf(BytesOf(s.get()));
  ASSERT_EQ(pe->Load(in.get()), S_OK);
  EXPECT_FALSE(Get(e.get(), zelbo::kDispReverseScheme));
  EXPECT_TRUE(Get(e.get(), zelbo::kDispPercent));
  SIZEL got{};
  EXPECT_EQ(e.As<IOleObject>(IID_IOleObject)->GetExtent(DVASPECT_CONTENT, &got), S_OK);
  EXPECT_EQ(got.cx, 3784);
  EXPECT_EQ(got.cy, 370);
  // Writing a property marks modified even when the value stays the same.
  ASSERT_EQ(Put(e.get(), zelbo::kDispPercent, true), S_OK);
  EXPECT_EQ(pe->IsDirty(), S_OK);
}

TEST_F(Registered, ShortStreamFailsAndResets) {
  Ptr<IDispatch> d = Create();
  Put(d.get(), zelbo::kDispReverseScheme, true);
  Put(d.get(), zelbo::kDispPercent, true);
  std::vector<BYTE> bytes{0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1};  // 17 bytes
  Ptr<IStream> s = StreamOf(bytes);
  EXPECT_EQ(d.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(s.get()), E_FAIL);
  EXPECT_FALSE(Get(d.get(), zelbo::kDispReverseScheme));
  EXPECT_FALSE(Get(d.get(), zelbo::kDispPercent));
}

TEST_F(Registered, HostDialogRecordsLoad) {
  // The four 24-byte records of the host's dialog, each behind its count.
  const BYTE tails[4][4] = {
      {0x00, 0xED, 0x26, 0x05}, {0x00, 0x2C, 0x45, 0x00}, {0x00, 0xED, 0x26, 0x05}, {0x00, 0x2C, 0x45, 0x00}};
  for (const auto& t : tails) {
    std::vector<BYTE> rec{0, 0, 0, 0, 0, 0, 1, 0, 0xC8, 0x0E, 0, 0, 0x72, 0x01, 0, 0, 0, 0, 0, 0};
    rec.insert(rec.end(), t, t + 4);
    ASSERT_EQ(rec.size(), 24u);
    Ptr<IDispatch> d = Create();
    Put(d.get(), zelbo::kDispReverseScheme, true);
    Ptr<IStream> s = StreamOf(rec);
    LARGE_INTEGER four{};
    four.QuadPart = 4;
    s->Seek(four, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(d.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(s.get()), S_OK);
    EXPECT_EQ(Position(s.get()), 22u);  // the last two bytes are not read
    EXPECT_FALSE(Get(d.get(), zelbo::kDispReverseScheme));
    EXPECT_TRUE(Get(d.get(), zelbo::kDispPercent));
  }
  // The last two stream bytes 0x00, 0x01: ReverseScheme false, Percent true.
}

TEST_F(Registered, PropertyBagRoundTrip) {
  Ptr<IDispatch> d = Create();
  Put(d.get(), zelbo::kDispReverseScheme, true);
  auto bag = fw::com::Make<Bag>();
  auto pb = d.As<IPersistPropertyBag>(IID_IPersistPropertyBag);
  ASSERT_EQ(pb->Save(bag.get(), TRUE, TRUE), S_OK);
  std::set<std::wstring> names;
  for (auto& [k, v] : bag->values) names.insert(k);
  EXPECT_EQ(names, (std::set<std::wstring>{L"_Version", L"_ExtentX", L"_ExtentY", L"_StockProps", L"ReverseScheme",
                                           L"Percent"}));
  EXPECT_EQ(V_VT(&bag->values[L"_Version"]), VT_I4);
  EXPECT_EQ(V_I4(&bag->values[L"_Version"]), 0x00010000);
  EXPECT_EQ(V_VT(&bag->values[L"ReverseScheme"]), VT_BOOL);

  Ptr<IDispatch> e = Create();
  ASSERT_EQ(e.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(bag.get(), nullptr), S_OK);
  EXPECT_TRUE(Get(e.get(), zelbo::kDispReverseScheme));
  EXPECT_FALSE(Get(e.get(), zelbo::kDispPercent));

  // Missing values take their defaults; an unreadable one fails the load.
  auto sparse = fw::com::Make<Bag>();
  VARIANT t;
  V_VT(&t) = VT_BSTR;
  V_BSTR(&t) = ::SysAllocString(L"-1");
  sparse->Write(L"Percent", &t);
  ::VariantClear(&t);
  ASSERT_EQ(e.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(sparse.get(), nullptr), S_OK);
  EXPECT_FALSE(Get(e.get(), zelbo::kDispReverseScheme));
  EXPECT_TRUE(Get(e.get(), zelbo::kDispPercent));
  V_VT(&t) = VT_BSTR;
  V_BSTR(&t) = ::SysAllocString(L"not a number");
  sparse->Write(L"ReverseScheme", &t);
  ::VariantClear(&t);
  EXPECT_EQ(e.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(sparse.get(), nullptr), E_FAIL);
  EXPECT_FALSE(Get(e.get(), zelbo::kDispPercent));
}

}  // namespace
}  // namespace zelbo_test
