// Zarvo's own plug-in interface. Its three methods follow IUnknown's in the
// vtable, but Zarvo declares them as plain virtual member functions: on
// i686 they use the compiler's ordinary member-function convention
// (thiscall: the object pointer in ECX, the callee removes the arguments),
// not the stdcall of COM methods. On x86_64 there is only one convention.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <cstdint>
#include <type_traits>

struct IHostPlugin : public IUnknown {
  // Creates the object's hidden message window. The argument is not used.
  virtual int32_t Start(int32_t lUnused) = 0;
  // Destroys the message window.
  virtual int32_t Stop() = 0;
  // Shows that the plug-in has no settings. The argument is not used.
  virtual int32_t Configure(int32_t lUnused) = 0;
};

// {A893EFB0-D4FE-4ADE-9245-55D3AF9684EA}
__CRT_UUID_DECL(IHostPlugin, 0xa893efb0, 0xd4fe, 0x4ade, 0x92, 0x45, 0x55, 0xd3, 0xaf, 0x96,
                0x84, 0xea)
constexpr GUID kIID_IHostPlugin = {0xa893efb0, 0xd4fe, 0x4ade,
                                   {0x92, 0x45, 0x55, 0xd3, 0xaf, 0x96, 0x84, 0xea}};

// The three methods have exactly these signatures in every build.
static_assert(sizeof(int32_t) == 4, "the arguments and results are 32-bit integers");
static_assert(std::is_same<decltype(&IHostPlugin::Start), int32_t (IHostPlugin::*)(int32_t)>::value,
              "Start(int32_t) returning int32_t");
static_assert(std::is_same<decltype(&IHostPlugin::Stop), int32_t (IHostPlugin::*)()>::value,
              "Stop() returning int32_t");
static_assert(
    std::is_same<decltype(&IHostPlugin::Configure), int32_t (IHostPlugin::*)(int32_t)>::value,
    "Configure(int32_t) returning int32_t");

#if defined(__i386__)
// On i686 GCC keeps the calling convention in a member function's type:
// the three methods must be thiscall, and must not have become stdcall.
static_assert(std::is_same<decltype(&IHostPlugin::Start),
                           int32_t (__thiscall IHostPlugin::*)(int32_t)>::value,
              "IHostPlugin::Start must be thiscall");
static_assert(!std::is_same<decltype(&IHostPlugin::Start),
                            int32_t (__stdcall IHostPlugin::*)(int32_t)>::value,
              "IHostPlugin::Start must not be stdcall");
static_assert(std::is_same<decltype(&IHostPlugin::Stop), int32_t (__thiscall IHostPlugin::*)()>::value,
              "IHostPlugin::Stop must be thiscall");
static_assert(std::is_same<decltype(&IHostPlugin::Configure),
                           int32_t (__thiscall IHostPlugin::*)(int32_t)>::value,
              "IHostPlugin::Configure must be thiscall");
// IUnknown's methods stay stdcall, as COM requires.
static_assert(std::is_same<decltype(&IUnknown::AddRef), ULONG (__stdcall IUnknown::*)()>::value,
              "IUnknown::AddRef is stdcall");
#endif
