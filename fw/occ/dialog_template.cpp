#include "fw/occ/dialog_template.h"

#include "fw/occ/byte_reader.h"

namespace fw::occ {
namespace {

using detail::ByteReader;

constexpr std::uint32_t kDsSetFont = 0x40;  // also part of DS_SHELLFONT
constexpr std::size_t kCountOffsetStd = 8;  // style, exstyle, then cdit
constexpr std::size_t kCountOffsetEx = 16;  // ver, sig, help, exstyle, style, then cDlgItems

struct Header {
  bool extended = false;
  std::uint16_t count = 0;
  std::size_t itemsStart = 0;  // offset of the first item, DWORD aligned
};

bool ReadHeader(ByteReader& r, Header& h) {
  std::uint16_t ver = 0, sig = 0;
  if (!r.U16(ver) || !r.U16(sig)) return false;
  h.extended = ver == 1 && sig == 0xFFFF;
  std::uint32_t style = 0, unused32 = 0;
  std::uint16_t unused16 = 0;
  if (h.extended) {
    if (!r.U32(unused32) || !r.U32(unused32) || !r.U32(style)) return false;  // help, exstyle
  } else {
    style = ver | (static_cast<std::uint32_t>(sig) << 16);
    if (!r.U32(unused32)) return false;  // exstyle
  }
  if (!r.U16(h.count)) return false;
  if (!r.Skip(8)) return false;                 // x, y, cx, cy
  if (!r.NameOrOrdinal(nullptr)) return false;  // menu
  if (!r.NameOrOrdinal(nullptr)) return false;  // window class
  if (!r.String(nullptr)) return false;         // title
  if (style & kDsSetFont) {
    if (!r.U16(unused16)) return false;          // point size
    if (h.extended && !r.Skip(4)) return false;  // weight, italic, charset
    if (!r.String(nullptr)) return false;        // typeface
  }
  r.AlignTo4();
  h.itemsStart = r.pos();
  return true;
}

// Reads one item starting at the reader's (aligned) position; `end` is the
// offset just past its creation data.
bool ReadItem(ByteReader& r, bool extended, ControlItem& item, bool& isControl, std::size_t& end) {
  std::uint32_t unused = 0;
  if (extended) {
    if (!r.U32(unused) || !r.U32(item.exStyle) || !r.U32(item.style)) return false;
  } else {
    if (!r.U32(item.style) || !r.U32(item.exStyle)) return false;
  }
  if (!r.I16(item.x) || !r.I16(item.y) || !r.I16(item.cx) || !r.I16(item.cy)) return false;
  if (extended) {
    if (!r.U32(item.id)) return false;
  } else {
    std::uint16_t id16 = 0;
    if (!r.U16(id16)) return false;
    item.id = id16;
  }
  item.classId.clear();
  bool ordinal = false;
  if (!r.NameOrOrdinal(&item.classId, &ordinal)) return false;
  isControl = !ordinal && IsControlClass(item.classId);
  if (!r.NameOrOrdinal(nullptr)) return false;  // title
  std::uint16_t extra = 0;
  if (!r.U16(extra) || !r.Skip(extra)) return false;
  end = r.pos();
  return true;
}

void PutU16(std::vector<std::uint8_t>& buf, std::size_t at, std::uint16_t v) {
  buf[at] = static_cast<std::uint8_t>(v & 0xFF);
  buf[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Where the style sits: first in DLGTEMPLATE, after ver, sig, help and
// exstyle in DLGTEMPLATEEX.
std::size_t StyleOffset(const std::vector<std::uint8_t>& t) {
  return t.size() >= 4 && t[0] == 1 && t[1] == 0 && t[2] == 0xFF && t[3] == 0xFF ? 12 : 0;
}

}  // namespace

std::uint32_t DialogStyle(const SplitTemplate& split) {
  const std::size_t at = StyleOffset(split.dialog);
  if (split.dialog.size() < at + 4) return 0;
  const std::uint8_t* p = split.dialog.data() + at;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void SetDialogStyle(SplitTemplate& split, std::uint32_t style) {
  const std::size_t at = StyleOffset(split.dialog);
  if (split.dialog.size() < at + 4) return;
  PutU16(split.dialog, at, static_cast<std::uint16_t>(style & 0xFFFF));
  PutU16(split.dialog, at + 2, static_cast<std::uint16_t>(style >> 16));
}

bool IsControlClass(const std::u16string& cls) { return cls.size() >= 2 && cls.front() == u'{' && cls.back() == u'}'; }

std::optional<SplitTemplate> SplitDialogTemplate(const void* data, std::size_t size) {
  if (!data) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  ByteReader r(bytes, size);
  Header h;
  if (!ReadHeader(r, h)) return std::nullopt;

  SplitTemplate out;
  // The header is copied as it is; the item count is patched once known.
  out.dialog.assign(bytes, bytes + (h.itemsStart <= size ? h.itemsStart : size));
  out.dialog.resize(h.itemsStart, 0);
  std::uint16_t kept = 0;
  for (std::uint16_t i = 0; i < h.count; ++i) {
    r.AlignTo4();
    const std::size_t start = r.pos();
    ControlItem item;
    bool isControl = false;
    std::size_t end = 0;
    if (!ReadItem(r, h.extended, item, isControl, end)) return std::nullopt;
    if (isControl) {
      item.keptBefore = kept;
      out.controls.push_back(std::move(item));
      continue;
    }
    out.dialog.resize((out.dialog.size() + 3) & ~static_cast<std::size_t>(3), 0);
    out.dialog.insert(out.dialog.end(), bytes + start, bytes + end);
    ++kept;
  }
  PutU16(out.dialog, h.extended ? kCountOffsetEx : kCountOffsetStd, kept);
  return out;
}

}  // namespace fw::occ
