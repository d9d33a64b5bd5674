// Whether the user has high contrast on: then windows draw in the system's
// colours only, whatever colours they would choose themselves.
#pragma once

#include <windows.h>

namespace fw {

inline bool HighContrastOn() {
  HIGHCONTRASTA contrast{sizeof contrast, 0, nullptr};
  return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace fw
