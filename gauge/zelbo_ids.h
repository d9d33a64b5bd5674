// The gauge module's fixed identities in one place: the five GUIDs, the
// dispatch identifiers of _DZelbo and the programmatic identifiers. Shared by
// the control, its type library source (the build pastes the GUID texts into
// zelbo.idl), its tests and any host that creates the gauge by class
// identifier. Free of windows.h: a host may include it anywhere.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <guiddef.h>
#endif

namespace zelbo {

// A GUID as plain numbers; the layout of the platform's GUID.
struct GuidParts {
  std::uint32_t d1;
  std::uint16_t d2;
  std::uint16_t d3;
  std::uint8_t d4[8];
};

namespace detail {
constexpr int HexDigit(char c) {
  return c >= '0' && c <= '9'   ? c - '0'
         : c >= 'A' && c <= 'F' ? c - 'A' + 10
         : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                : -1;
}
// Reads `digits` hex digits at text[at]; -1 when one is not a hex digit.
constexpr long long Hex(const char* text, int at, int digits) {
  long long v = 0;
  for (int i = 0; i < digits; ++i) {
    const int d = HexDigit(text[at + i]);
    if (d < 0) return -1;
    v = v * 16 + d;
  }
  return v;
}
}  // namespace detail

// True for the registry form "{8-4-4-4-12}" with braces.
constexpr bool IsGuidText(const char* t) {
  if (t[0] != '{' || t[9] != '-' || t[14] != '-' || t[19] != '-' || t[24] != '-' || t[37] != '}' || t[38] != '\0')
    return false;
  for (int i = 1; i < 37; ++i)
    if (i != 9 && i != 14 && i != 19 && i != 24 && detail::HexDigit(t[i]) < 0) return false;
  return true;
}

constexpr GuidParts ParseGuid(const char* t) {
  GuidParts g{static_cast<std::uint32_t>(detail::Hex(t, 1, 8)),
              static_cast<std::uint16_t>(detail::Hex(t, 10, 4)),
              static_cast<std::uint16_t>(detail::Hex(t, 15, 4)),
              {}};
  const int at[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) g.d4[i] = static_cast<std::uint8_t>(detail::Hex(t, at[i], 2));
  return g;
}

// Registry forms. The build extracts these five lines for the IDL: keep the
// pattern `k...Text[] = "{...}";`.
inline constexpr char kLibIdText[] = "{AF92A472-0132-47C4-BED2-CD70850AC6F7}";
inline constexpr char kDispIidText[] = "{CA2FBDB1-89CC-48EE-A702-1DFBF1901322}";
inline constexpr char kEventsIidText[] = "{4D96F40E-434F-41E3-9C10-5F3467870796}";
inline constexpr char kCtrlClsidText[] = "{E3008208-7D23-4A52-A7AA-663C56D91224}";
inline constexpr char kPageClsidText[] = "{86E58EF5-7063-4CD0-810F-9AA508DADBA4}";

static_assert(IsGuidText(kLibIdText) && IsGuidText(kDispIidText) && IsGuidText(kEventsIidText) &&
              IsGuidText(kCtrlClsidText) && IsGuidText(kPageClsidText));

inline constexpr GuidParts kLibId = ParseGuid(kLibIdText);
inline constexpr GuidParts kDispIid = ParseGuid(kDispIidText);
inline constexpr GuidParts kEventsIid = ParseGuid(kEventsIidText);
inline constexpr GuidParts kCtrlClsid = ParseGuid(kCtrlClsidText);
inline constexpr GuidParts kPageClsid = ParseGuid(kPageClsidText);

inline constexpr char kCtrlProgId[] = "ZELBO.ZelboCtrl.1";
inline constexpr char kPageProgId[] = "ZELBO.ZelboPropPage.1";
inline constexpr char kLibName[] = "ZELBOLib";
inline constexpr unsigned short kLibMajor = 1;
inline constexpr unsigned short kLibMinor = 0;
inline constexpr unsigned long kLibLcid = 0x0409;

// Dispatch identifiers of _DZelbo.
enum Dispid : long {
  kDispReverseScheme = 1,
  kDispPercent = 2,
  kDispSetPos = 3,
  kDispSetRange = 4,
  kDispStepIt = 5,
  kDispSetStep = 6,
  kDispSetEventColor = 7,
  kDispOffsetPos = 8,
  kDispGetPos = 9,
  kDispSetBorderWidth = 10,
};

// Parameter and result types of the members, named as the automation types.
enum class ArgType { None, Bool, I2, OleColor };

struct Member {
  long dispid;
  const char* name;
  bool isProperty;  // read and write property, else method
  ArgType result;   // for a property: its type
  int paramCount;
  const char* paramNames[2];
  ArgType paramTypes[2];
};

inline constexpr Member kMembers[] = {
    {kDispReverseScheme, "ReverseScheme", true, ArgType::Bool, 0, {}, {}},
    {kDispPercent, "Percent", true, ArgType::Bool, 0, {}, {}},
    {kDispSetPos, "SetPos", false, ArgType::None, 1, {"nPos"}, {ArgType::I2}},
    {kDispSetRange, "SetRange", false, ArgType::None, 2, {"nMin", "nMax"}, {ArgType::I2, ArgType::I2}},
    {kDispStepIt, "StepIt", false, ArgType::None, 0, {}, {}},
    {kDispSetStep, "SetStep", false, ArgType::None, 1, {"nStep"}, {ArgType::I2}},
    {kDispSetEventColor,
     "SetEventColor",
     false,
     ArgType::None,
     2,
     {"nType", "clEvent"},
     {ArgType::I2, ArgType::OleColor}},
    {kDispOffsetPos, "OffsetPos", false, ArgType::None, 1, {"nOffset"}, {ArgType::I2}},
    {kDispGetPos, "GetPos", false, ArgType::I2, 0, {}, {}},
    {kDispSetBorderWidth, "SetBorderWidth", false, ArgType::None, 1, {"nWidth"}, {ArgType::I2}},
};

// The member with this DISPID, or null.
constexpr const Member* FindMember(long dispid) {
  for (const Member& m : kMembers)
    if (m.dispid == dispid) return &m;
  return nullptr;
}

#ifdef _WIN32
constexpr GUID ToGuid(const GuidParts& p) {
  return GUID{p.d1, p.d2, p.d3, {p.d4[0], p.d4[1], p.d4[2], p.d4[3], p.d4[4], p.d4[5], p.d4[6], p.d4[7]}};
}
#endif

}  // namespace zelbo
