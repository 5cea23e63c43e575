// Run-time binding of Sweepgate.dll and the checked calls through it.
#include "shredder/sweepgate_binding.h"

#include <windows.h>

#include <string>

#include "app/app.h"

namespace {

constexpr char kLibrary[] = "Sweepgate.dll";

[[noreturn]] void Fail(const std::string& text) {
  ShowMessage(text.c_str(), "错误", MB_OK | MB_ICONSTOP);
  ExitProcess(static_cast<UINT>(-1));
}

HMODULE Library() {
  static HMODULE library = nullptr;
  if (!library) {
    library = LoadLibraryA((ProgramDirectory() + "\\" + kLibrary).c_str());
    if (!library) library = LoadLibraryA(kLibrary);
  }
  return library;
}

FARPROC Bind(FARPROC& slot, const char* name) {
  if (!slot) {
    if (HMODULE library = Library()) slot = GetProcAddress(library, name);
    if (!slot) {
      Fail(std::string("无法调用 ") + kLibrary + " 中的函数 " + name + "：找不到该文件或函数。\r\n程序将退出。");
    }
  }
  return slot;
}

// Calls the stdcall function `function` with `count` word arguments and returns its result. On
// 32-bit Windows the callee removes its arguments; one that removes more or fewer than it was
// given is reported, and the program ends.
int32_t CallStdcall(FARPROC function, const char* name, const uintptr_t* words, int count) {
#if defined(__i386__)
  struct {
    FARPROC function;
    const uintptr_t* words;
    int count;
  } call = {function, words, count};
  uint32_t result, before, after;
  // The arguments are pushed last first; after the call the stack pointer must be back where it
  // stood before the pushes. It is put back there in any case, so that this frame survives. The
  // call's description is reached through ebx, which the callee keeps.
  __asm__ __volatile__(
      "movl %%esp, %%esi\n\t"
      "movl 8(%%ebx), %%ecx\n\t"
      "movl 4(%%ebx), %%edx\n"
      "1:\n\t"
      "testl %%ecx, %%ecx\n\t"
      "jz 2f\n\t"
      "pushl -4(%%edx,%%ecx,4)\n\t"
      "decl %%ecx\n\t"
      "jmp 1b\n"
      "2:\n\t"
      "call *(%%ebx)\n\t"
      "movl %%esp, %%edi\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "=&S"(before), "=&D"(after)
      : "b"(&call)
      : "ecx", "edx", "memory", "cc");
  if (after != before) {
    Fail(std::string("调用 ") + kLibrary + " 中的函数 " + name + " 后堆栈不平衡：该函数没有恰好清除它的 " +
         std::to_string(4 * count) + " 字节参数。\r\n程序将退出。");
  }
  return static_cast<int32_t>(result);
#else
  // One calling convention on 64-bit Windows: nothing to check.
  switch (count) {
    case 0: return reinterpret_cast<int32_t(__stdcall*)()>(reinterpret_cast<void*>(function))();
    case 2:
      return reinterpret_cast<int32_t(__stdcall*)(uintptr_t, uintptr_t)>(reinterpret_cast<void*>(function))(words[0],
                                                                                                           words[1]);
    default: Fail(std::string("内部错误：") + name);
  }
#endif
}

}  // namespace

int32_t SweepgateInit() {
  static FARPROC init = nullptr;
  return CallStdcall(Bind(init, "Cleaner_Init"), "Cleaner_Init", nullptr, 0);
}

int32_t SweepgateDelFile(const char* path) {
  static FARPROC delFile = nullptr;
  const uintptr_t words[2] = {reinterpret_cast<uintptr_t>(path), 1};
  return CallStdcall(Bind(delFile, "Cleaner_DelFile"), "Cleaner_DelFile", words, 2);
}
