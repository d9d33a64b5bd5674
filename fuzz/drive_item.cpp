// A drive-list item as the combo box hands it back ("[-c-]", or anything a
// changed list may hold), and what the panel shows for the drive it names:
// any type and byte counts. The letter is a drive letter that survives the
// trip through its number, an item built for a letter gives that letter back,
// percentages stay within 0..100 and add up, the texts read back to the
// figures, and the pie's values stay within 32 bits.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "mainwnd/drive_panel.h"
#include "mainwnd/refresh_cycle.h"
#include "mainwnd/watch_list.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input in(data, size);
  const unsigned type = in.U32();
  const std::uint64_t total = in.U64(), free = in.U64();
  const int nTooltip = static_cast<int>(in.U32());
  const std::string item = in.Rest();

  const std::optional<char> letter = LetterFromComboItem(item);
  FUZZ_CHECK(letter.has_value() == (item.size() >= 3 && DriveNumber(item[2]) != 0));
  if (letter) {
    FUZZ_CHECK(*letter >= 'A' && *letter <= 'Z' && *letter == std::toupper(static_cast<unsigned char>(item[2])));
    FUZZ_CHECK(DriveLetterOf(DriveNumber(*letter)) == *letter);
    FUZZ_CHECK(LetterFromComboItem(std::string("[-") + static_cast<char>(std::tolower(*letter)) + "-]") == letter);
  }
  const std::string root = RootPath(letter ? *letter : 'C');
  FUZZ_CHECK(root.size() == 3 && root.compare(1, 2, ":\\") == 0);

  const DrivePanelView view = DescribeDriveQuery(type, total, free);
  const DriveFigures& f = view.figures;
  FUZZ_CHECK(f.usedPct >= 0 && f.usedPct <= 100 && view.usedGauge + view.freeGauge == 100);
  FUZZ_CHECK(GaugeShort(view.usedGauge) == view.usedGauge && GaugeShort(view.freeGauge) == view.freeGauge);
  FUZZ_CHECK(f.totalU == total / view.row.unit && f.freeU == free / view.row.unit && f.usedU <= f.totalU);
  const std::string& capacity = view.texts.capacity;
  FUZZ_CHECK(std::stoull(capacity) == f.totalU && capacity.size() >= std::strlen(view.row.suffix) &&
             capacity.compare(capacity.size() - std::strlen(view.row.suffix), std::string::npos, view.row.suffix) == 0);
  FUZZ_CHECK(std::stoi(view.texts.usedPct) == f.usedPct && std::stoi(view.texts.freePct) == 100 - f.usedPct);
  FUZZ_CHECK(view.pie.total >= 0 && view.pie.free >= 0);
  // The pie keeps the figures while they fit; beyond, it keeps their ratio
  // (free' * total - free * total' within rounding) and loses no more
  // precision than it must (the larger value keeps its top bit).
  using Wide = unsigned __int128;
  const Wide pieFree = static_cast<Wide>(view.pie.free), pieTotal = static_cast<Wide>(view.pie.total);
  const Wide cross = pieFree * f.totalU, crossBack = static_cast<Wide>(f.freeU) * pieTotal;
  FUZZ_CHECK((cross > crossBack ? cross - crossBack : crossBack - cross) <= std::max(f.totalU, f.freeU));
  if (f.totalU <= INT32_MAX && f.freeU <= INT32_MAX) {
    FUZZ_CHECK(pieTotal == f.totalU && pieFree == f.freeU);
  } else {
    FUZZ_CHECK(std::max(view.pie.free, view.pie.total) > INT32_MAX / 2);
  }
  if (f.freeU <= f.totalU) FUZZ_CHECK(view.pie.free <= view.pie.total);

  const std::optional<std::string> tip = DriveTooltipText(nTooltip, root, view.texts);
  FUZZ_CHECK(tip.has_value() == (nTooltip == 2 || nTooltip == 3));
  if (tip) FUZZ_CHECK(tip->compare(0, root.size(), root) == 0);
  return 0;
}
