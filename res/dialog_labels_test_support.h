// Measures the static texts of a module's dialogs as the platform lays them
// out, so a test can tell whether every label reads whole: a label wider than
// its box wraps out of sight or, right-aligned, loses its first letters.
//
// A dialog is created from its resource with the OLE control items left out,
// as the control container does; hosted controls have no texts to measure.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vt_test {

// One single-line static with text: what it draws, the extent of that in the
// control's own font, and where its box lies. It reads whole when the text
// fits the box, the box lies within the dialog, and no frame or group box
// draws its line through the text or against it.
struct Label {
  int id = 0;
  std::wstring text;          // as drawn, prefix ampersands resolved
  SIZE extent{};              // pixels, in the control's font
  RECT box{};                 // the control's client area, in its dialog's client coordinates
  bool inDialog = false;      // the box lies wholly within the dialog's client area
  bool clearOfLines = false;  // at least a pixel between the text and every frame line

  bool Whole() const {
    return inDialog && clearOfLines && extent.cx <= box.right - box.left && extent.cy <= box.bottom - box.top;
  }
};

// The text a static control draws for `text`: with prefix processing a single
// "&" underlines the next character and "&&" draws one ampersand.
std::wstring TextAsDrawn(const std::wstring& text, bool prefix);

// Every text static among the children of `dialog` whose box holds one line
// (taller boxes wrap by design and are left out).
std::vector<Label> MeasureLabels(HWND dialog);

// The name of one dialog resource: a number, or a string.
struct DialogName {
  WORD id = 0;
  std::wstring text;

  LPCWSTR get() const { return text.empty() ? MAKEINTRESOURCEW(id) : text.c_str(); }
  std::string ToString() const;
};

// "dialog 102, control -1 \"CPU Category :\": text 77 x 12, box 75 x 12 at (23, 38)"
std::string Describe(const DialogName& dialog, const Label& label);

struct ModuleLabels {
  std::vector<DialogName> dialogs;  // every dialog resource of the module
  size_t measured = 0;              // labels measured in all of them
  std::vector<std::string> faults;  // each dialog that cannot be created and each label that does not read whole
};

// Creates every dialog of `module` in turn, with a hidden window as its parent
// (property pages are child dialogs), and measures its labels.
ModuleLabels CheckEveryDialog(HMODULE module);

}  // namespace vt_test
