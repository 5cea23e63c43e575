// A test-only Sweepgate.dll whose Cleaner_DelFile leaves its two arguments on the stack (a C
// function where a stdcall one belongs). The program must notice after the call and stop.
#include <windows.h>

#include <cstdint>

extern "C" {
int32_t __stdcall Cleaner_Init() { return 0; }
int32_t __cdecl Cleaner_DelFile(const char*, int32_t) { return 0; }
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
}
