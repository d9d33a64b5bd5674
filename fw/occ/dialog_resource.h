// A dialog resource ready for the platform's dialog functions: the template
// without its OLE control items, the items, and their initial streams from
// the DLGINIT resource of the same name.
#pragma once

#include <windows.h>

#include <optional>

#include "fw/occ/dialog_template.h"
#include "fw/occ/dlginit.h"

namespace fw::occ {

struct DialogResource {
  SplitTemplate split;     // split.dialog goes to CreateDialogIndirectParam / DialogBoxIndirectParam
  ControlStreams streams;  // empty when the dialog has no DLGINIT resource
};

// Resource type of the dialog-initialisation records.
inline LPCWSTR DlgInitType() { return MAKEINTRESOURCEW(240); }

// Empty when the dialog is missing or either resource is malformed.
std::optional<DialogResource> LoadDialogResource(HMODULE module, LPCWSTR name);

// The template as a DLGTEMPLATE pointer for the platform's dialog functions.
inline const DLGTEMPLATE* TemplateOf(const SplitTemplate& split) {
  return reinterpret_cast<const DLGTEMPLATE*>(split.dialog.data());
}

}  // namespace fw::occ
