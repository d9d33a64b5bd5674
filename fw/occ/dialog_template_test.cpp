#include "fw/occ/dialog_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fw::occ {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Field {
  enum Kind { kNone, kOrdinal, kText } kind = kNone;
  std::uint16_t ordinal = 0;
  std::u16string text;
};
Field Ord(std::uint16_t v) { return {Field::kOrdinal, v, {}}; }
Field Text(std::u16string s) { return {Field::kText, 0, std::move(s)}; }

struct Item {
  std::uint32_t style = 0x50000000, exStyle = 0, helpId = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  std::uint32_t id = 0;
  Field cls, title;
  Bytes extra;
};

struct Template {
  bool extended = false;
  std::uint32_t style = 0x80C800C0;  // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME
  Field menu, cls;
  std::u16string title = u"Computer Information";
  std::u16string face = u"MS Sans Serif";
  std::vector<Item> items;
};

// Writes a template image the way the resource compiler lays it out; the last
// item is not padded, so every shorter prefix is a truncated template.
class Writer {
 public:
  void U16(std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Str(const std::u16string& s) {
    for (char16_t c : s) U16(c);
    U16(0);
  }
  void Put(const Field& f) {
    if (f.kind == Field::kNone) U16(0);
    if (f.kind == Field::kOrdinal) {
      U16(0xFFFF);
      U16(f.ordinal);
    }
    if (f.kind == Field::kText) Str(f.text);
  }
  void Align() {
    while (b.size() % 4) b.push_back(0);
  }
  Bytes b;
};

Bytes Build(const Template& t) {
  Writer w;
  if (t.extended) {
    w.U16(1);
    w.U16(0xFFFF);
    w.U32(0x1234);  // help id
    w.U32(0);       // exstyle
    w.U32(t.style);
  } else {
    w.U32(t.style);
    w.U32(0);
  }
  w.U16(static_cast<std::uint16_t>(t.items.size()));
  for (int v : {0, 0, 220, 140}) w.U16(v);
  w.Put(t.menu);
  w.Put(t.cls);
  w.Str(t.title);
  if (t.style & 0x40) {
    w.U16(8);
    if (t.extended) {
      w.U16(400);
      w.b.push_back(0);
      w.b.push_back(1);
    }
    w.Str(t.face);
  }
  for (const Item& it : t.items) {
    w.Align();
    if (t.extended) {
      w.U32(it.helpId);
      w.U32(it.exStyle);
      w.U32(it.style);
    } else {
      w.U32(it.style);
      w.U32(it.exStyle);
    }
    for (int v : {it.x, it.y, it.cx, it.cy}) w.U16(static_cast<std::uint16_t>(v));
    if (t.extended)
      w.U32(it.id);
    else
      w.U16(it.id);
    w.Put(it.cls);
    w.Put(it.title);
    w.U16(static_cast<std::uint16_t>(it.extra.size()));
    w.b.insert(w.b.end(), it.extra.begin(), it.extra.end());
  }
  return w.b;
}

const std::u16string kGauge = u"{5C0B3D29-7E61-4E8A-9B1F-2D4C6A8E0F13}";
const std::u16string kOther = u"{00000000-1111-2222-3333-444444444444}";

Item Static(std::uint32_t id) {
  Item it;
  it.id = id;
  it.x = 7;
  it.y = 9;
  it.cx = 50;
  it.cy = 8;
  it.cls = Ord(0x0082);
  it.title = Text(u"Memory:");
  return it;
}
Item Gauge(std::uint32_t id, std::int16_t y) {
  Item it;
  it.id = id;
  it.style = 0x50010000;
  it.x = 115;
  it.y = y;
  it.cx = 95;
  it.cy = 8;
  it.cls = Text(kGauge);
  return it;
}

struct Layout {
  const char* name;
  bool extended;
  std::uint32_t style;
  Field menu, cls;
};

class SplitLayouts : public testing::TestWithParam<Layout> {
 protected:
  Template Make(std::vector<Item> items) const {
    Template t;
    t.extended = GetParam().extended;
    t.style = GetParam().style;
    t.menu = GetParam().menu;
    t.cls = GetParam().cls;
    t.items = std::move(items);
    return t;
  }
};

// The rewritten template is exactly the template built from the kept items,
// and the taken items carry their fields and their place among the kept ones.
TEST_P(SplitLayouts, TakesOutControlItemsAndKeepsTheRestByteForByte) {
  Item button = Static(3);
  button.cls = Text(u"Button");
  button.title = Ord(5);
  button.extra = {1, 2, 3};  // odd creation data: the next item is realigned
  Item gaugeWithData = Gauge(1092, 60);
  gaugeWithData.cls = Text(kOther);
  gaugeWithData.exStyle = 0x200;
  gaugeWithData.title = Text(u"ignored");
  gaugeWithData.extra = {9, 9};
  Item edit = Static(0xFFFF);
  edit.cls = Ord(0x0081);
  const Template full = Make({Static(1), Gauge(1091, 50), button, gaugeWithData, Gauge(1093, 115), edit});
  const Template kept = Make({Static(1), button, edit});

  const Bytes image = Build(full);
  auto split = SplitDialogTemplate(image.data(), image.size());
  ASSERT_TRUE(split);
  EXPECT_EQ(Build(kept), split->dialog);

  ASSERT_EQ(3u, split->controls.size());
  const ControlItem& a = split->controls[0];
  EXPECT_EQ(1091u, a.id);
  EXPECT_EQ(kGauge, a.classId);
  EXPECT_EQ(115, a.x);
  EXPECT_EQ(50, a.y);
  EXPECT_EQ(95, a.cx);
  EXPECT_EQ(8, a.cy);
  EXPECT_EQ(0x50010000u, a.style);
  EXPECT_EQ(0u, a.exStyle);
  EXPECT_EQ(1u, a.keptBefore);
  const ControlItem& b = split->controls[1];
  EXPECT_EQ(1092u, b.id);
  EXPECT_EQ(kOther, b.classId);
  EXPECT_EQ(0x200u, b.exStyle);
  EXPECT_EQ(2u, b.keptBefore);
  EXPECT_EQ(2u, split->controls[2].keptBefore);
  EXPECT_EQ(1093u, split->controls[2].id);
}

TEST_P(SplitLayouts, TemplateWithoutControlsComesBackUnchanged) {
  Template t = Make({Static(1), Static(2)});
  Bytes image = Build(t);
  auto split = SplitDialogTemplate(image.data(), image.size());
  ASSERT_TRUE(split);
  EXPECT_TRUE(split->controls.empty());
  EXPECT_EQ(image, split->dialog);
}

TEST_P(SplitLayouts, OnlyControlsLeavesAnEmptyDialog) {
  Bytes image = Build(Make({Gauge(1091, 50), Gauge(1092, 60)}));
  auto split = SplitDialogTemplate(image.data(), image.size());
  ASSERT_TRUE(split);
  Bytes empty = Build(Make({}));
  empty.resize((empty.size() + 3) / 4 * 4, 0);  // the header ends on a DWORD boundary
  EXPECT_EQ(empty, split->dialog);
  EXPECT_EQ(0u, split->controls[1].keptBefore);
}

TEST_P(SplitLayouts, DialogStyleIsReadAndChangedInPlace) {
  Bytes image = Build(Make({Static(1), Gauge(1091, 50)}));
  auto split = SplitDialogTemplate(image.data(), image.size());
  ASSERT_TRUE(split);
  EXPECT_EQ(GetParam().style, DialogStyle(*split));
  const std::uint32_t toggled = GetParam().style ^ 0x10000000u;  // WS_VISIBLE
  SetDialogStyle(*split, toggled);
  Template changed = Make({Static(1)});
  changed.style = toggled;
  EXPECT_EQ(Build(changed), split->dialog);
}

// Under the sanitizers this also shows that no prefix is read past its end.
TEST_P(SplitLayouts, EveryTruncationIsRejected) {
  Item withData = Gauge(1091, 50);
  withData.extra = {1, 2, 3, 4};
  const Bytes image = Build(Make({Static(1), withData, Static(2)}));
  ASSERT_TRUE(SplitDialogTemplate(image.data(), image.size()));
  for (std::size_t n = 0; n < image.size(); ++n) {
    Bytes prefix(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(SplitDialogTemplate(prefix.data(), prefix.size())) << "prefix of " << n << " bytes";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SplitLayouts,
    testing::Values(Layout{"Plain", false, 0x80C800C0, {}, {}}, Layout{"PlainNoFont", false, 0x80C80080, {}, {}},
                    Layout{"PlainMenuOrdinalClassName", false, 0x80C800C0, Ord(101), Text(u"VantrelDlg")},
                    Layout{"Extended", true, 0x80C800C0, {}, {}},
                    Layout{"ExtendedShellFont", true, 0x80C80048, Text(u"MENU"), Ord(0x8002)},
                    Layout{"ExtendedNoFont", true, 0x80C80080, {}, {}}),
    [](const testing::TestParamInfo<Layout>& i) { return std::string(i.param.name); });

TEST(SplitDialogTemplate, ExtendedItemsKeepTheirWideIds) {
  Template t;
  t.extended = true;
  t.items = {Gauge(0x00012345, 50)};
  Bytes image = Build(t);
  auto split = SplitDialogTemplate(image.data(), image.size());
  ASSERT_TRUE(split);
  EXPECT_EQ(0x00012345u, split->controls.at(0).id);
}

TEST(SplitDialogTemplate, HostileImagesAreRejected) {
  Template t;
  t.items = {Static(1)};
  Bytes image = Build(t);
  {
    Bytes many = image;
    many[8] = 0xFF;  // claims 255 items
    EXPECT_FALSE(SplitDialogTemplate(many.data(), many.size()));
  }
  {
    Bytes hugeData = image;
    hugeData[hugeData.size() - 2] = 0xFF;  // creation data far past the end
    hugeData[hugeData.size() - 1] = 0xFF;
    EXPECT_FALSE(SplitDialogTemplate(hugeData.data(), hugeData.size()));
  }
  {
    Bytes unterminated(image.begin(), image.end() - 2);
    while (unterminated.size() % 2) unterminated.pop_back();
    for (std::size_t i = 26; i < unterminated.size(); ++i) unterminated[i] = 'x';
    EXPECT_FALSE(SplitDialogTemplate(unterminated.data(), unterminated.size()));
  }
  EXPECT_FALSE(SplitDialogTemplate(nullptr, 100));
}

TEST(IsControlClass, OnlyBracedStringsNameControls) {
  EXPECT_TRUE(IsControlClass(kGauge));
  EXPECT_TRUE(IsControlClass(u"{}"));
  EXPECT_FALSE(IsControlClass(u"{"));
  EXPECT_FALSE(IsControlClass(u"{5C0B3D29"));
  EXPECT_FALSE(IsControlClass(u"Button"));
  EXPECT_FALSE(IsControlClass(u""));
}

TEST(SplitDialogTemplate, OrdinalClassIsNeverAControl) {
  Template t;
  Item it = Static(1);
  it.cls = Ord('{');
  t.items = {it};
  Bytes image = Build(t);
  auto split = SplitDialogTemplate(image.data(), image.size());
  ASSERT_TRUE(split);
  EXPECT_TRUE(split->controls.empty());
}

}  // namespace
}  // namespace fw::occ
