// The DLL's entry point. The product links no C runtime start-up code, so
// nothing of the plugin runs when the host loads or unloads it, or when the
// host's threads start and end: the entry point only says yes.
#include <windows.h>

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID) { return TRUE; }
