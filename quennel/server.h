// The four entry points of the in-process server, as functions that tests
// inside the process can call; dll.cpp exports them.
#pragma once
#include <windows.h>

namespace quennel {

// The class factory of TNG for its CLSID; CLASS_E_CLASSNOTAVAILABLE for
// any other.
HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
// S_OK when no object lives and the factory is not locked, else S_FALSE.
HRESULT CanUnloadNow();
// Writes the registry entries of the class and registers the type library.
HRESULT RegisterServer();
// Removes them again; S_OK.
HRESULT UnregisterServer();

}  // namespace quennel
