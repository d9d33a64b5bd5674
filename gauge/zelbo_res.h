// Resource identifiers of the gauge module.
#pragma once

#define IDS_ZELBO 1              // "Zelbo Control": the control's type name
#define IDS_ZELBO_PPG 2          // "Zelbo Property Page"
#define IDS_ZELBO_PPG_CAPTION 200
#define IDD_PROPPAGE_ZELBO 200
#define IDB_ZELBO 1              // toolbox bitmap, 16 x 15, 4 bits per pixel
#define IDR_TYPELIB 1
