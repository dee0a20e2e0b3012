// The exports of Quennel.dll (see quennel.def) and its entry point.
#include <windows.h>
#include <olectl.h>

#include "module.h"
#include "server.h"

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(hInstance);
  } else if (dwReason == DLL_PROCESS_DETACH && !lpReserved) {
    // Unloaded by FreeLibrary: the class must not outlive its procedure.
    quennel::UnregisterMessageWindowClass();
  }
  return TRUE;
}

STDAPI DllCanUnloadNow() { return quennel::CanUnloadNow(); }

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  return quennel::GetClassObject(rclsid, riid, ppv);
}

STDAPI DllRegisterServer() { return quennel::RegisterServer(); }

STDAPI DllUnregisterServer() { return quennel::UnregisterServer(); }
