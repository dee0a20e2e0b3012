// What the library holds once per process: the lock count that tells COM
// whether the library may be unloaded, the search text that every TNG
// object of the process shares, and the window class of the objects'
// hidden message windows.
#pragma once
#include <windows.h>

#include <string>

namespace quennel {

// The module this code is linked into (Quennel.dll, or a test program that
// carries the object inside it).
HINSTANCE ModuleInstance();
// The full path of that module's file.
std::string ModulePath();

// Live TNG objects plus class-factory locks.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();

// The search text of find-as-you-type: created empty when the library is
// loaded, freed when it is unloaded. Characters 0x20 to 0x7E only. Used on
// the browser windows' thread without a lock, as Zarvo calls the objects
// of a process from that thread alone.
std::string& SearchText();

// The message windows' class: registered on first use, once per process.
// Returns its name, or nullptr when it could not be registered.
const char* MessageWindowClass(WNDPROC pWndProc);
// Unregisters the class if it was registered (when the library unloads).
void UnregisterMessageWindowClass();

}  // namespace quennel
