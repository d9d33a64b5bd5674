// A module of no worth that the build names after a system one
// (comdlg32.dll) and keeps in a folder of its own: a test drops it beside a
// copy of Vantrel.exe, which must never load it.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
