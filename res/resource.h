// Resource identifiers of Vantrel.exe, shared by the resource script and the
// C++ code. Plain #defines only, so the resource compiler can read this file.
//
// Icons and cursors have separate id spaces (different resource types):
// icon 146 is the floppy drive while cursor 146 is the pointing hand.
#ifndef VANTREL_RES_RESOURCE_H
#define VANTREL_RES_RESOURCE_H

// Dialogs
#define IDD_VANTREL_DIALOG 102
#define IDD_DIRECTORY_INFO 169     // "Directory Info View"
#define IDD_USAGE_PIE 187          // the drive usage pie

// Bitmaps
#define IDB_TREE_IMAGES 170        // the directory tree's seven 16x16 cells, mask colour magenta

// Icons
#define IDR_MAINFRAME 128          // program icon, 32x32 and 16x16
#define IDI_FLOPPY 146             // removable drive below 2 MB
#define IDI_HARD_DRIVE 147         // fixed drive and RAM disk
#define IDI_CDROM 148
#define IDI_NETWORK_DRIVE 149
#define IDI_REMOVABLE 150
#define IDI_NO_DISK 151            // any drive whose free-space query failed
#define IDI_UNKNOWN_DRIVE 152
#define IDI_PROCESSOR 157          // button 1008
#define IDI_DIRECTORY_VIEW 175     // button 1023
#define IDI_EXTENDED_INFO 176      // button 1020
#define IDI_OPTIONS 178            // button 1044
#define IDI_ZIP_DRIVE 182          // removable drive of exactly 100,431,872 bytes
#define IDI_PIE 200                // button 1073

// Cursors (32x32, 256 colours). Not IDC_*: winuser.h owns IDC_HAND and IDC_ARROW.
#define IDCUR_POINTING_HAND 146    // hot spot 13,3: lists, combo boxes, the directory tree
#define IDCUR_OPEN_HAND 148        // hot spot 15,11: sliders
#define IDCUR_ARROW 149            // hot spot 2,3: the program's dialog windows

// Strings. Tooltips of the main window's controls use the control's own id.
#define IDS_ABOUTBOX 101           // "&About Vantrel..." on the system menu
#define IDS_PROGRAM_VERSION 1043   // "Vantrel v 1.10" (version.h), the tray tooltip for setting 4

// Commands
#define IDM_ABOUTBOX 0x0010        // system-menu item added by the main window

// Controls of the main window, dialog 102
#define IDC_PHYSICAL_MEMORY 1001
#define IDC_FREE_MEMORY 1002
#define IDC_MEMORY_LOAD 1004
#define IDC_CPU_CATEGORY 1006
#define IDC_DRIVE_FREE 1007
#define IDC_PROCESSOR_INFO 1008
#define IDC_DRIVE_CAPACITY 1011
#define IDC_DRIVE_LIST 1014
#define IDC_DRIVE_TYPE 1015
#define IDC_COMPUTER_NAME 1017
#define IDC_EXTENDED_INFO 1020
#define IDC_DRIVE_USED 1021
#define IDC_DIRECTORY_VIEW 1023
#define IDC_USER_NAME 1024
#define IDC_USED_PERCENT 1039
#define IDC_FREE_PERCENT 1040
#define IDC_WATCH 1041
#define IDC_DRIVE_REFRESH 1042
#define IDC_OPTIONS 1044
#define IDC_MEMORY_COUNTDOWN 1062
#define IDC_DRIVE_COUNTDOWN 1063
#define IDC_PIE 1073
#define IDC_GAUGE_FREE_MEMORY 1091
#define IDC_GAUGE_MEMORY_LOAD 1092
#define IDC_GAUGE_DRIVE_USED 1093
#define IDC_GAUGE_DRIVE_FREE 1094

// Processor and extended information windows. Their control ids repeat
// numbers of the main window's controls; each window has its own.
#define IDD_PROCESSOR_INFO 133
#define IDD_EXTENDED_INFO 139
#define IDB_LOGO_AMD 153           // 122x37, 24-bit
#define IDB_LOGO_CYRIX 154         // 80x38, 24-bit
#define IDB_LOGO_INTEL 155         // 72x37, 24-bit
#define IDI_MONITOR 156            // display group of the extended information window
#define IDI_POWER 158              // power group: mains plug beside a battery
#define IDB_LOGO_CENTAUR 165       // 86x72, 8-bit

// Controls of the processor information window, dialog 133
#define IDC_PROC_CLOCK 1004
#define IDC_PROC_VENDOR 1005
#define IDC_PROC_TYPE 1006
#define IDC_PROC_REVISION 1007
#define IDC_PROC_FEATURES 1009
#define IDC_PROC_FEATURE_STATE 1010
#define IDC_PROC_FPU 1011
#define IDC_PROC_MMX 1012
#define IDC_PROC_COUNT 1016
#define IDC_PROC_LOGO 1035
#define IDC_PROC_VENDOR_LABEL 1036

// Controls of the extended information window, dialog 139
#define IDC_EXT_OS_NAME 1021
#define IDC_EXT_VERSION 1022
#define IDC_EXT_BUILD 1023
#define IDC_EXT_EXTRA 1024
#define IDC_EXT_AC_STATUS 1025
#define IDC_EXT_BATTERY_STATUS 1026
#define IDC_EXT_CHARGE 1027
#define IDC_EXT_LIFE_LEFT 1028
#define IDC_EXT_FULL_LIFE 1029
#define IDC_EXT_RESOLUTION 1030
#define IDC_EXT_BITS_PER_PIXEL 1031
#define IDC_EXT_MONITOR 1032

// Controls of the directory view, dialog 169
#define IDC_DIR_PERCENT 1021       // the share of the drive; the main window's 1021 is its used space
#define IDC_DIR_TREE 1050
#define IDC_DIR_PATH 1052
#define IDC_DIR_FILES_HERE 1054
#define IDC_DIR_SUBDIRS 1055
#define IDC_DIR_FILES_IN_SUBDIRS 1057
#define IDC_DIR_TOTAL_FILES 1058
#define IDC_DIR_PERCENT_BAR 1060
#define IDC_DIR_ACTUAL_SIZE 1068
#define IDC_DIR_SPACE_USED 1069
#define IDC_DIR_UNIT 1071          // unit selector: 0 bytes, 1 KB, 2 MB, 3 GB

// Controls of the drive usage pie, dialog 187
#define IDC_PIE_CLOSE 1072

// Options sheet: its three pages, in tab order
#define IDD_OPTIONS_MAIN 180
#define IDD_OPTIONS_REFRESH 181
#define IDD_OPTIONS_INTERFACE 182

// Controls of the "Main Options" page, dialog 180
#define IDC_HIDE_ON_STARTUP 1045

// Controls of the "Refresh" page, dialog 181
#define IDC_DRIVE_PERIOD_SLIDER 1022
#define IDC_MEMORY_PERIOD_TEXT 1033
#define IDC_DRIVE_PERIOD_TEXT 1034
#define IDC_THRESHOLD_SLIDER 1047
#define IDC_THRESHOLD_TEXT 1048
#define IDC_MEMORY_PERIOD_SLIDER 1064

// Controls of the "Interface" page, dialog 182
#define IDC_TEXT_COLOR 1056
#define IDC_COLOR_LABELS 1057        // first of the colour-target radio group
#define IDC_COLOR_LISTS 1058
#define IDC_SAMPLE_LABEL 1061
#define IDC_SAMPLE_LIST 1062
#define IDC_TIP_FREE_MEMORY 1067     // first of the tooltip radio group, nTooltip 0
#define IDC_TIP_MEMORY_LOAD 1068
#define IDC_TIP_DRIVE_USED 1069
#define IDC_TIP_DRIVE_FREE 1070
#define IDC_TIP_VERSION 1071         // nTooltip 4

// Tray, close-to-tray and enable/disable; splash window; About box.
#define IDD_ABOUTBOX 100           // "About Vantrel"
#define IDD_CLOSE_NOTICE 171       // "Close Notification"
#define IDD_DISABLE_NOTICE 172     // "Disable Notification"
#define IDR_TRAY 1043              // the tray icon's id, its menu, and its first tooltip (string 1043)
#define IDI_TRAY_ENABLED 161       // tray icon while monitoring; there is no string 161
#define IDI_TRAY_DISABLED 162      // tray icon while disabled
#define IDI_NOTICE 184             // the notices' speech balloon
#define IDB_SPLASH 168             // 300 x 140, 24-bit title picture
#define IDB_TRAY_AREA 172          // 108 x 77 picture of the tray, in the close notice
#define IDR_ABOUT_CLIP 136         // AVI clip of the About box
#define IDC_ABOUT_ANIMATION 1012
#define IDC_DONT_SHOW_AGAIN 1053   // "Do not show me this again." in both notices
#define ID_APP_ABOUT 1010          // tray menu "&About Vantrel..."
#define ID_TRAY_EXIT 32771
#define ID_TRAY_OPTIONS 32773
#define ID_TRAY_OPEN 32775         // the tray menu's default item
#define ID_TRAY_TOGGLE_ENABLE 32776  // "&Disable", shown as "&Enable" while disabled

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif  // VANTREL_RES_RESOURCE_H
