// A dialog template as the resource section holds it: any bytes, in either
// layout. A split takes every control item out and keeps the rest byte for
// byte, so the rewritten template splits to itself, its count adds up and it
// never outgrows the image.
#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "fw/occ/dialog_template.h"

namespace {

std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<fw::occ::SplitTemplate> split = fw::occ::SplitDialogTemplate(data, size);
  if (!split) return 0;
  const std::vector<std::uint8_t>& dialog = split->dialog;

  const bool extended = size >= 4 && Le16(data) == 1 && Le16(data + 2) == 0xFFFF;
  const std::size_t countAt = extended ? 16 : 8;
  FUZZ_CHECK(size >= countAt + 2 && dialog.size() >= countAt + 2);
  // The header is the image's own; only the item count changes.
  FUZZ_CHECK(std::equal(data, data + countAt, dialog.begin()));
  const std::uint16_t kept = Le16(dialog.data() + countAt);
  FUZZ_CHECK(kept + split->controls.size() == Le16(data + countAt));
  FUZZ_CHECK(dialog.size() <= ((size + 3) & ~std::size_t{3}));

  std::size_t keptBefore = 0;
  for (const fw::occ::ControlItem& c : split->controls) {
    FUZZ_CHECK(fw::occ::IsControlClass(c.classId));
    FUZZ_CHECK(c.keptBefore >= keptBefore && c.keptBefore <= kept);  // template order
    FUZZ_CHECK(extended || c.id <= 0xFFFF);
    keptBefore = c.keptBefore;
  }

  const std::optional<fw::occ::SplitTemplate> again = fw::occ::SplitDialogTemplate(dialog.data(), dialog.size());
  FUZZ_CHECK(again && again->controls.empty() && again->dialog == dialog);
  return 0;
}
