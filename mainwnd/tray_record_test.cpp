#include "mainwnd/tray_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

// A tray as the shell keeps it: icons by window and id. It answers as the
// shell does (no second add, no change or removal of an icon it does not
// hold), can refuse the next request outright, and can be rebuilt empty.
class RecordingShell : public TrayShell {
 public:
  struct Call {
    TrayAction action;
    std::uint32_t flags;
    TrayHandle icon;
    std::string tip;
  };

  bool Notify(TrayAction action, const TrayRecord& r) override {
    calls.push_back({action, r.uFlags, r.hIcon, r.szTip});
    EXPECT_EQ(r.cbSize, sizeof(TrayRecord));
    if (std::exchange(refuseNext, false)) return false;
    const auto key = std::make_pair(r.hWnd, r.uID);
    switch (action) {
      case TrayAction::Add:
        return icons.insert(key).second;
      case TrayAction::Modify:
        return icons.count(key) == 1;
      case TrayAction::Delete:
        return icons.erase(key) == 1;
    }
    return false;
  }

  std::vector<Call> calls;
  std::set<std::pair<TrayHandle, std::uint32_t>> icons;
  bool refuseNext = false;
};

bool SingleByte(unsigned char) { return false; }

// Lead bytes of the Japanese ANSI code page (932).
bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

int g_iconA, g_iconB;
TrayHandle const A = &g_iconA;
TrayHandle const B = &g_iconB;
int g_window;
constexpr std::uint32_t kWmUser = 0x400;
constexpr std::uint32_t I = kTrayFlagIcon, T = kTrayFlagTip, M = kTrayFlagMessage;

enum class Op {
  Show,     // ApplyIcon(icon)
  Remove,   // ApplyIcon(none)
  Tip,      // a tooltip change: the text, then ApplyIcon(the icon in the record)
  Rebuild,  // the shell rebuilds its tray and forgets every icon
  Refuse,   // the shell refuses the next request
  Restore,  // the program hears that the tray was rebuilt
};

struct Step {
  Op op;
  TrayHandle icon = nullptr;
  const char* text = nullptr;
  std::vector<RecordingShell::Call> calls = {};  // none: the shell hears nothing
  bool result = true;
  bool inTray = false;
};

struct Case {
  const char* what;
  bool window;
  const char* initialTip;
  std::vector<Step> steps;
};

TEST(TrayNotifyData, AddsModifiesAndRemovesAndForgetsTheIconWhenTheShellRefuses) {
  using A_ = TrayAction;
  const Case cases[] = {
      {"the first icon is added with its tooltip and the callback",
       true,
       "Vantrel v 1.10",
       {{Op::Show, A, nullptr, {{A_::Add, I | T | M, A, "Vantrel v 1.10"}}, true, true}}},
      {"an empty tooltip is left out", true, "", {{Op::Show, A, nullptr, {{A_::Add, I | M, A, ""}}, true, true}}},
      {"without a window there is no callback",
       false,
       "tip",
       {{Op::Show, A, nullptr, {{A_::Add, I | T, A, "tip"}}, true, true}}},
      {"another icon modifies the one in the tray",
       true,
       "",
       {{Op::Show, A, nullptr, {{A_::Add, I | M, A, ""}}, true, true},
        {Op::Show, B, "Disabled", {{A_::Modify, I | T | M, B, "Disabled"}}, true, true}}},
      {"a tooltip change in the tray sends the tooltip without the icon the shell holds",
       true,
       "",
       {{Op::Show, A, nullptr, {{A_::Add, I | M, A, ""}}, true, true},
        {Op::Tip, nullptr, "Free Memory : 23 MB", {{A_::Modify, T | M, A, "Free Memory : 23 MB"}}, true, true}}},
      {"a tooltip change out of the tray stays in the record until the icon is shown",
       true,
       "",
       {{Op::Tip, nullptr, "Free Memory : 23 MB", {}, true, false},
        {Op::Show, A, nullptr, {{A_::Add, I | T | M, A, "Free Memory : 23 MB"}}, true, true}}},
      {"removing deletes the icon once; a second removal asks nothing",
       true,
       "tip",
       {{Op::Show, A, nullptr, {{A_::Add, I | T | M, A, "tip"}}, true, true},
        {Op::Remove, nullptr, nullptr, {{A_::Delete, T | M, A, "tip"}}, true, false},
        {Op::Remove, nullptr, nullptr, {}, true, false}}},
      {"a refused add leaves the icon out and the next show adds again",
       true,
       "",
       {{Op::Refuse},
        {Op::Show, A, nullptr, {{A_::Add, I | M, A, ""}}, false, false},
        {Op::Show, A, nullptr, {{A_::Add, I | M, A, ""}}, true, true}}},
      {"a refused modify forgets the icon: later tooltips stay in the record",
       true,
       "",
       {{Op::Show, A, nullptr, {{A_::Add, I | M, A, ""}}, true, true},
        {Op::Refuse},
        {Op::Show, B, nullptr, {{A_::Modify, I | M, B, ""}}, false, false},
        {Op::Tip, nullptr, "Enabled", {}, true, false}}},
      {"a refused removal forgets the icon as well",
       true,
       "",
       {{Op::Show, A, nullptr, {{A_::Add, I | M, A, ""}}, true, true},
        {Op::Refuse},
        {Op::Remove, nullptr, nullptr, {{A_::Delete, M, A, ""}}, false, false}}},
      {"a tray rebuilt under the icon fails the next tooltip change; the icon returns when shown",
       true,
       "",
       {{Op::Show, A, nullptr, {{A_::Add, I | M, A, ""}}, true, true},
        {Op::Rebuild},
        {Op::Tip,
         nullptr,
         "Memory Utilization : 64%",
         {{A_::Modify, T | M, A, "Memory Utilization : 64%"}},
         false,
         false},
        {Op::Tip, nullptr, "Memory Utilization : 65%", {}, true, false},
        {Op::Show, B, "Disabled", {{A_::Add, I | T | M, B, "Disabled"}}, true, true}}},
      {"hearing of the rebuilt tray adds the icon again with the current tooltip",
       true,
       "",
       {{Op::Show, B, "Disabled", {{A_::Add, I | T | M, B, "Disabled"}}, true, true},
        {Op::Rebuild},
        {Op::Restore, B, nullptr, {{A_::Delete, 0, B, "Disabled"}, {A_::Add, I | T | M, B, "Disabled"}}, true, true},
        {Op::Tip, nullptr, "Enabled", {{A_::Modify, T | M, B, "Enabled"}}, true, true}}},
      {"hearing of it after a change already failed adds the icon all the same",
       true,
       "",
       {{Op::Show, A, nullptr, {{A_::Add, I | M, A, ""}}, true, true},
        {Op::Rebuild},
        {Op::Tip, nullptr, "Free Memory : 9 MB", {{A_::Modify, T | M, A, "Free Memory : 9 MB"}}, false, false},
        {Op::Restore,
         A,
         nullptr,
         {{A_::Delete, 0, nullptr, "Free Memory : 9 MB"}, {A_::Add, I | T | M, A, "Free Memory : 9 MB"}},
         true,
         true}}},
      {"hearing of it when the new tray already took the icon keeps it there",
       true,
       "tip",
       {{Op::Show, A, nullptr, {{A_::Add, I | T | M, A, "tip"}}, true, true},
        {Op::Restore, A, nullptr, {{A_::Delete, 0, A, "tip"}, {A_::Add, I | T | M, A, "tip"}}, true, true},
        {Op::Tip, nullptr, "Enabled", {{A_::Modify, T | M, A, "Enabled"}}, true, true}}},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingShell shell;
    TrayNotifyData data;
    data.Init(1043, c.initialTip, SingleByte);
    if (c.window) data.Attach(&g_window, kWmUser);
    int n = 0;
    for (const Step& s : c.steps) {
      SCOPED_TRACE(n++);
      const std::size_t before = shell.calls.size();
      bool result = true;
      switch (s.op) {
        case Op::Show:
          if (s.text) data.SetTip(s.text, SingleByte);
          result = data.ApplyIcon(s.icon, shell);
          break;
        case Op::Remove:
          result = data.ApplyIcon(nullptr, shell);
          break;
        case Op::Tip:
          data.SetTip(s.text, SingleByte);
          result = data.ApplyIcon(data.Record().hIcon, shell);
          break;
        case Op::Rebuild:
          shell.icons.clear();
          continue;
        case Op::Refuse:
          shell.refuseNext = true;
          continue;
        case Op::Restore:
          result = data.Restore(s.icon, shell);
          break;
      }
      EXPECT_EQ(s.result, result);
      EXPECT_EQ(s.inTray, data.InTray());
      ASSERT_EQ(before + s.calls.size(), shell.calls.size());
      for (std::size_t i = 0; i < s.calls.size(); ++i) {
        const RecordingShell::Call& got = shell.calls[before + i];
        EXPECT_EQ(s.calls[i].action, got.action);
        EXPECT_EQ(s.calls[i].flags, got.flags);
        EXPECT_EQ(s.calls[i].icon, got.icon);
        EXPECT_EQ(s.calls[i].tip, got.tip);
      }
    }
    EXPECT_EQ(data.Record().uID, 1043u);
  }
}

TEST(CopyTooltip, LongTextsAreCutToSixtyThreeBytesAtACharacterBoundary) {
  const std::string a63(63, 'a');
  const std::string kanji = "\x88\xa4";  // one two-byte character of code page 932
  const struct {
    const char* what;
    std::string text;
    LeadBytePredicate lead;
    std::string kept;
  } cases[] = {
      {"a short text whole", "C:\\ Free : 120 MB / 12%", SingleByte, "C:\\ Free : 120 MB / 12%"},
      {"63 bytes whole", a63, SingleByte, a63},
      {"64 bytes lose the last", a63 + "b", SingleByte, a63},
      {"single-byte text is cut anywhere", std::string(62, 'a') + kanji, SingleByte, std::string(62, 'a') + "\x88"},
      {"a two-byte character across the limit goes whole", std::string(62, 'a') + kanji, ShiftJisLead,
       std::string(62, 'a')},
      {"a two-byte character ending at the limit stays", std::string(61, 'a') + kanji + "z", ShiftJisLead,
       std::string(61, 'a') + kanji},
      {"a trail byte at the limit that looks like a lead byte stays", "a" + std::string(62, '\x88') + "z", ShiftJisLead,
       "a" + std::string(62, '\x88')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    char field[kTrayTipBytes];
    std::memset(field, 'X', sizeof field);
    CopyTooltip(field, c.text, c.lead);
    EXPECT_EQ(c.kept, std::string(field));
  }
}

}  // namespace
}  // namespace vantrel
