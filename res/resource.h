// Resource identifiers of Vantrel.exe, shared by the resource script and the
// C++ code. Plain #defines only, so the resource compiler can read this file.
//
// Icons and cursors have separate id spaces (different resource types):
// icon 146 is the floppy drive while cursor 146 is the pointing hand.
#ifndef VANTREL_RES_RESOURCE_H
#define VANTREL_RES_RESOURCE_H

// Dialogs
#define IDD_VANTREL_DIALOG 102

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

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif  // VANTREL_RES_RESOURCE_H
