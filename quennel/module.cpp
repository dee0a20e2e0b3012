#include "module.h"

#include <cstdio>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace quennel {

namespace {
LONG g_lockCount = 0;
std::string g_searchText;

SRWLOCK g_classLock = SRWLOCK_INIT;
bool g_classRegistered = false;
char g_className[64] = {};
}  // namespace

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::string ModulePath() {
  char path[MAX_PATH * 4] = {};
  DWORD n = GetModuleFileNameA(ModuleInstance(), path, sizeof path);
  return n < sizeof path ? std::string(path, n) : std::string();
}

void LockModule() { InterlockedIncrement(&g_lockCount); }
void UnlockModule() { InterlockedDecrement(&g_lockCount); }
LONG ModuleLockCount() { return InterlockedCompareExchange(&g_lockCount, 0, 0); }

std::string& SearchText() { return g_searchText; }

const char* MessageWindowClass(WNDPROC pWndProc) {
  AcquireSRWLockExclusive(&g_classLock);
  if (!g_classRegistered) {
    // The name carries the module's address, so that two copies of the
    // library in one process never share (or unregister) each other's class.
    std::snprintf(g_className, sizeof g_className, "QuennelTNG:%p",
                  static_cast<void*>(ModuleInstance()));
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = pWndProc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = g_className;
    g_classRegistered = RegisterClassExA(&wc) != 0;
  }
  const char* name = g_classRegistered ? g_className : nullptr;
  ReleaseSRWLockExclusive(&g_classLock);
  return name;
}

void UnregisterMessageWindowClass() {
  AcquireSRWLockExclusive(&g_classLock);
  if (g_classRegistered) {
    UnregisterClassA(g_className, ModuleInstance());
    g_classRegistered = false;
  }
  ReleaseSRWLockExclusive(&g_classLock);
}

}  // namespace quennel
