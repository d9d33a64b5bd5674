// The gauge's automation interface through IDispatch: members by dispatch
// identifier, the standard errors of malformed calls, names, and a late-bound
// script client.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "fw/com.h"
#include "gauge/zelbo_ids.h"
#include "gauge/zelbo_test_support.h"

namespace zelbo_test {
namespace {

TEST_F(Registered, MembersByDispidFollowTheGaugeRules) {
  Ptr<IDispatch> d = Create();
  UINT count = 99;
  EXPECT_EQ(d->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ITypeInfo* ti = static_cast<ITypeInfo*>(kPoisonPtr);
  EXPECT_EQ(d->GetTypeInfo(1, 0, &ti), DISP_E_BADINDEX);
  EXPECT_EQ(ti, nullptr);

  struct Step {
    DISPID id;
    std::vector<Arg> args;
    short pos;  // GetPos afterwards
  };
  const Step steps[] = {
      {zelbo::kDispSetPos, {Arg(short{60})}, 60},
      {zelbo::kDispSetPos, {Arg(short{101})}, 60},  // outside 0..100: ignored
      {zelbo::kDispSetPos, {Arg(short{-1})}, 60},
      {zelbo::kDispStepIt, {}, 61},
      {zelbo::kDispSetStep, {Arg(short{30})}, 61},
      {zelbo::kDispStepIt, {}, 91},
      {zelbo::kDispStepIt, {}, 0},                  // past the top: back to the lower bound
      {zelbo::kDispSetStep, {Arg(short{101})}, 0},  // refused: the step stays 30
      {zelbo::kDispStepIt, {}, 30},
      {zelbo::kDispSetRange, {Arg(short{10}), Arg(short{5})}, 30},  // ignored
      {zelbo::kDispSetRange, {Arg(short{-20}), Arg(short{50})}, 30},
      {zelbo::kDispSetPos, {Arg(short{0})}, 0},  // lower bound became 0
      {zelbo::kDispSetRange, {Arg(short{0}), Arg(short{100})}, 0},
      {zelbo::kDispSetPos, {Arg(short{95})}, 95},
      {zelbo::kDispOffsetPos, {Arg(short{10})}, 5},
      {zelbo::kDispOffsetPos, {Arg(short{-30})}, -25},
      {zelbo::kDispSetEventColor, {Arg(short{2}), Arg(0x00FF0000)}, -25},
      {zelbo::kDispSetBorderWidth, {Arg(short{0})}, -25},
      // Coercion: a string and a 32-bit integer that fits are accepted.
      {zelbo::kDispSetPos, {Arg(L"42")}, 42},
      {zelbo::kDispSetPos, {Arg(7)}, 7},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "dispid " << s.id << " then pos " << s.pos);
    Call c = Invoke(d.get(), s.id, DISPATCH_METHOD, s.args);
    EXPECT_EQ(c.hr, S_OK);
    EXPECT_EQ(V_VT(&c.result), VT_EMPTY);
    EXPECT_EQ(GetPos(d.get()), s.pos);
  }
  for (int i = 0; i < 7; ++i) Method(d.get(), zelbo::kDispOffsetPos, {Arg(short{-10000})});
  EXPECT_EQ(GetPos(d.get()), static_cast<short>(7 - 70000));

  for (DISPID id : {zelbo::kDispReverseScheme, zelbo::kDispPercent}) {
    EXPECT_FALSE(Get(d.get(), id));
    EXPECT_EQ(Put(d.get(), id, true), S_OK);
    EXPECT_TRUE(Get(d.get(), id));
    Call c = Invoke(d.get(), id, DISPATCH_PROPERTYPUT, {Arg(0)}, true);  // any zero integer is false
    EXPECT_EQ(c.hr, S_OK);
    EXPECT_FALSE(Get(d.get(), id));
  }
}

TEST_F(Registered, MalformedCallsGetStandardErrors) {
  Ptr<IDispatch> d = Create();
  struct Bad {
    const char* what;
    DISPID id;
    WORD flags;
    std::vector<Arg> args;
    bool namedPut;
    HRESULT hr;
    UINT argErr;  // 0xBEEF: untouched
  };
  const Bad cases[] = {
      {"unknown dispid", 99, DISPATCH_METHOD, {}, false, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"dispid 0", 0, DISPATCH_METHOD, {}, false, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"too few", zelbo::kDispSetRange, DISPATCH_METHOD, {Arg(short{1})}, false, DISP_E_BADPARAMCOUNT, 0xBEEF},
      {"too many", zelbo::kDispStepIt, DISPATCH_METHOD, {Arg(short{1})}, false, DISP_E_BADPARAMCOUNT, 0xBEEF},
      {"bad first", zelbo::kDispSetRange, DISPATCH_METHOD, {Arg(L"x"), Arg(short{1})}, false, DISP_E_TYPEMISMATCH, 1},
      {"bad second", zelbo::kDispSetRange, DISPATCH_METHOD, {Arg(short{1}), Arg(L"x")}, false, DISP_E_TYPEMISMATCH, 0},
      {"too wide", zelbo::kDispSetPos, DISPATCH_METHOD, {Arg(70000)}, false, DISP_E_OVERFLOW, 0},
      {"method as get", zelbo::kDispGetPos, DISPATCH_PROPERTYGET, {}, false, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"method put", zelbo::kDispSetPos, DISPATCH_PROPERTYPUT, {Arg(short{1})}, true, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"named args", zelbo::kDispSetPos, DISPATCH_METHOD, {Arg(short{1})}, true, DISP_E_NONAMEDARGS, 0xBEEF},
      {"put unnamed", zelbo::kDispPercent, DISPATCH_PROPERTYPUT, {Arg(true)}, false, DISP_E_PARAMNOTOPTIONAL, 0xBEEF},
      {"put nothing", zelbo::kDispPercent, DISPATCH_PROPERTYPUT, {}, false, DISP_E_BADPARAMCOUNT, 0xBEEF},
      {"get with arg", zelbo::kDispPercent, DISPATCH_PROPERTYGET, {Arg(true)}, false, DISP_E_BADPARAMCOUNT, 0xBEEF},
      {"property as method", zelbo::kDispPercent, DISPATCH_METHOD, {}, false, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"bad put value", zelbo::kDispPercent, DISPATCH_PROPERTYPUT, {Arg(L"maybe")}, true, DISP_E_TYPEMISMATCH, 0},
  };
  for (const Bad& b : cases) {
    SCOPED_TRACE(b.what);
    Call c = Invoke(d.get(), b.id, b.flags, b.args, b.namedPut);
    EXPECT_EQ(c.hr, b.hr);
    EXPECT_EQ(c.argErr, b.argErr);
  }
  EXPECT_EQ(GetPos(d.get()), 0);
  EXPECT_FALSE(Get(d.get(), zelbo::kDispPercent));
  DISPPARAMS none{};
  EXPECT_EQ(d->Invoke(zelbo::kDispStepIt, IID_IDispatch, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(GetPos(d.get()), 0);
}

// Callers may hand in an uninitialised result: it is overwritten, never freed.
TEST_F(Registered, InvokeOverwritesAnUninitialisedResult) {
  Ptr<IDispatch> d = Create();
  Method(d.get(), zelbo::kDispSetPos, {Arg(short{33})});
  Put(d.get(), zelbo::kDispPercent, true);
  struct Case {
    const char* what;
    DISPID id;
    WORD flags;
    REFIID iid;
    HRESULT hr;
    VARTYPE vt;
  };
  const Case cases[] = {
      {"method result", zelbo::kDispGetPos, DISPATCH_METHOD, IID_NULL, S_OK, VT_I2},
      {"property get", zelbo::kDispPercent, DISPATCH_PROPERTYGET, IID_NULL, S_OK, VT_BOOL},
      {"no result", zelbo::kDispStepIt, DISPATCH_METHOD, IID_NULL, S_OK, VT_EMPTY},
      {"unknown member", 99, DISPATCH_METHOD, IID_NULL, DISP_E_MEMBERNOTFOUND, VT_EMPTY},
      {"bad interface", zelbo::kDispGetPos, DISPATCH_METHOD, IID_IDispatch, DISP_E_UNKNOWNINTERFACE, VT_EMPTY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    VARIANT result;
    V_VT(&result) = VT_BSTR;
    V_BSTR(&result) = static_cast<BSTR>(kPoisonPtr);
    DISPPARAMS none{};
    EXPECT_EQ(d->Invoke(c.id, c.iid, LOCALE_USER_DEFAULT, c.flags, &none, &result, nullptr, nullptr), c.hr);
    EXPECT_EQ(V_VT(&result), c.vt);
    if (c.vt == VT_I2) {
      EXPECT_EQ(V_I2(&result), 33);
    }
    if (c.vt == VT_BOOL) {
      EXPECT_EQ(V_BOOL(&result), VARIANT_TRUE);
    }
  }
}

TEST_F(Registered, NamesResolveToDispids) {
  Ptr<IDispatch> d = Create();
  for (const auto& m : zelbo::kMembers) {
    std::wstring name = W(m.name);
    for (std::wstring spelling : {name, std::wstring(L"")}) {
      if (spelling.empty())  // names are case-insensitive
        for (wchar_t c : name) spelling += static_cast<wchar_t>(::towlower(c));
      LPOLESTR n = spelling.data();
      DISPID id = 12345;
      EXPECT_EQ(d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id), S_OK) << m.name;
      EXPECT_EQ(id, m.dispid);
    }
  }
  LPOLESTR unknown = const_cast<LPOLESTR>(L"Frobnicate");
  DISPID id = 12345;
  EXPECT_EQ(d->GetIDsOfNames(IID_NULL, &unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  LPOLESTR pos = const_cast<LPOLESTR>(L"SetPos");
  EXPECT_EQ(d->GetIDsOfNames(IID_IDispatch, &pos, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);

  // Late binding end to end: look the name up, then call it.
  LPOLESTR setPos = const_cast<LPOLESTR>(L"SETPOS");
  ASSERT_EQ(d->GetIDsOfNames(IID_NULL, &setPos, 1, 0, &id), S_OK);
  EXPECT_EQ(Method(d.get(), id, {Arg(short{33})}), S_OK);
  EXPECT_EQ(GetPos(d.get()), 33);
}

// ---- a late-bound script client ----

TEST_F(Registered, VbscriptDrivesTheGauge) {
  char dir[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, dir);
  const std::string script = std::string(dir) + "zelbo_late_binding.vbs";
  FILE* f = std::fopen(script.c_str(), "w");
  ASSERT_TRUE(f);
  std::fputs(
      "Set g = CreateObject(\"ZELBO.ZelboCtrl.1\")\n"
      "g.SetRange 0, 100\n"
      "g.SetPos 95\n"
      "g.OffsetPos 10\n"
      "g.Percent = True\n"
      "If g.GetPos() = 5 And g.Percent And Not g.ReverseScheme Then WScript.Quit 42\n"
      "WScript.Quit 1\n",
      f);
  std::fclose(f);
  EXPECT_EQ(RunProcess("cscript //nologo \"" + script + "\""), 42);
  ::DeleteFileA(script.c_str());
}

}  // namespace
}  // namespace zelbo_test
