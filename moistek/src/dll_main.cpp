// The DLL's entry routine: nothing to do when the library is loaded or unloaded, or when a
// thread starts or ends; the shared instance is built by the static initialisation before it.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
