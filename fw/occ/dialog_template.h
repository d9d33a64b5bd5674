// Dialog templates that name OLE controls by class identifier: the platform's
// dialog manager cannot create an item whose window class is a "{CLSID}"
// string, so such items are taken out of the template before the dialog is
// created and handed to the control container instead.
//
// Window-free: works on the bytes of a DLGTEMPLATE or DLGTEMPLATEEX image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fw::occ {

// One control item taken out of a template.
struct ControlItem {
  std::uint32_t id = 0;         // 16 bits in DLGTEMPLATE, 32 in DLGTEMPLATEEX
  std::u16string classId;       // the class field as written, "{...}"
  std::int16_t x = 0, y = 0;    // dialog units
  std::int16_t cx = 0, cy = 0;  // dialog units
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  // Items of the rewritten template that precede this one: the dialog creates
  // them first, and this control's window goes after them in the tab order.
  std::size_t keptBefore = 0;
};

struct SplitTemplate {
  // The template without the control items, item count fixed up. Items stay
  // byte for byte as they were, each on a DWORD boundary of the buffer.
  std::vector<std::uint8_t> dialog;
  // The control items in template order.
  std::vector<ControlItem> controls;
};

// True for a class field that names an OLE control: a string in braces.
bool IsControlClass(const std::u16string& cls);

// The dialog's own style in a split template, and a change of it (a modal
// dialog is created hidden and shown once its loop runs, as the platform's
// dialog boxes are).
std::uint32_t DialogStyle(const SplitTemplate& split);
void SetDialogStyle(SplitTemplate& split, std::uint32_t style);

// Splits a template image of `size` bytes (which must start on a DWORD
// boundary, as resources do). Empty when the image is malformed or truncated.
std::optional<SplitTemplate> SplitDialogTemplate(const void* data, std::size_t size);

}  // namespace fw::occ
