// Zarvo calls IHostPlugin's three methods through the vtable, after
// IUnknown's three, as plain member functions. On i686 that is thiscall:
// the object pointer in ECX, the argument on the stack, removed by the
// callee. This test calls the built library's object exactly so, without
// trusting the compiler's own view of the interface, and checks that the
// stack pointer comes back where it was. It runs wherever the build's
// code can run; on x86_64 there is only one convention to call with.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "host_plugin.h"
#include "testkit.h"
#include "uidriver.h"
#include "zarvo_host.h"

namespace {

#if defined(__i386__)
// int32_t CallThiscall1(fn, self, arg, &result): the stack pointer's offset
// after the call; 0 when the callee removed its argument.
extern "C" int32_t CallThiscall1(void* fn, void* self, int32_t arg, int32_t* result);
extern "C" int32_t CallThiscall0(void* fn, void* self, int32_t* result);
__asm__(
    ".text\n"
    ".globl _CallThiscall1\n"
    "_CallThiscall1:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  pushl %esi\n"
    "  movl %esp, %esi\n"
    "  pushl 16(%ebp)\n"
    "  movl 12(%ebp), %ecx\n"
    "  call *8(%ebp)\n"
    "  movl 20(%ebp), %edx\n"
    "  movl %eax, (%edx)\n"
    "  movl %esi, %eax\n"
    "  subl %esp, %eax\n"
    "  movl %esi, %esp\n"
    "  popl %esi\n"
    "  popl %ebp\n"
    "  ret\n"
    ".globl _CallThiscall0\n"
    "_CallThiscall0:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  pushl %esi\n"
    "  movl %esp, %esi\n"
    "  movl 12(%ebp), %ecx\n"
    "  call *8(%ebp)\n"
    "  movl 16(%ebp), %edx\n"
    "  movl %eax, (%edx)\n"
    "  movl %esi, %eax\n"
    "  subl %esp, %eax\n"
    "  movl %esi, %esp\n"
    "  popl %esi\n"
    "  popl %ebp\n"
    "  ret\n");
#endif

// Calls vtable slot iSlot of pObject as a plain member function.
int32_t CallSlot(void* pObject, int iSlot, const int32_t* pArg) {
  void* fn = (*reinterpret_cast<void***>(pObject))[iSlot];
#if defined(__i386__)
  int32_t result = 0;
  int32_t moved = pArg ? CallThiscall1(fn, pObject, *pArg, &result) : CallThiscall0(fn, pObject, &result);
  EXPECT_EQ(moved, 0) << "slot " << iSlot << " left the stack " << moved << " bytes off";
  return result;
#else
  if (pArg) return reinterpret_cast<int32_t (*)(void*, int32_t)>(fn)(pObject, *pArg);
  return reinterpret_cast<int32_t (*)(void*)>(fn)(pObject);
#endif
}

TEST(HostPluginAbi, ThreeMethodsAfterIUnknownAsZarvoCallsThem) {
  CoInitialize(nullptr);
  HMODULE dll = LoadLibraryA(testkit::WinPath(QUENNEL_DLL).c_str());
  ASSERT_NE(dll, nullptr);
  auto getClassObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  ASSERT_NE(getClassObject, nullptr);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(getClassObject(zarvo_host::kClsidTng, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  void* plugin = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, kIID_IHostPlugin, &plugin), S_OK);
  factory->Release();

  const int32_t unused = 0x5A5A5A5A;
  EXPECT_EQ(CallSlot(plugin, 3, &unused), 1) << "Start";
  EXPECT_EQ(zarvo_host::MessageWindowsOfThread().size(), 1u) << "Start made the message window";
  EXPECT_EQ(CallSlot(plugin, 4, nullptr), 1) << "Stop";
  EXPECT_TRUE(zarvo_host::MessageWindowsOfThread().empty()) << "Stop destroyed it";

  // Configure's box, answered from another thread.
  std::atomic<bool> seen{false};
  std::thread answer([&] {
    HWND box = uidriver::WaitForMessageBox(15000, GetCurrentProcessId());
    if (!box) return;
    seen = uidriver::ReadMessageBox(box).text == "No config currently";
    uidriver::PressButton(box, IDOK);
  });
  EXPECT_EQ(CallSlot(plugin, 5, &unused), 1) << "Configure";
  answer.join();
  EXPECT_TRUE(seen);

  // IUnknown's Release is slot 2, with COM's own convention.
  auto release = reinterpret_cast<ULONG(STDMETHODCALLTYPE*)(void*)>((*reinterpret_cast<void***>(plugin))[2]);
  EXPECT_EQ(release(plugin), 0u);
  CoUninitialize();
}

}  // namespace
