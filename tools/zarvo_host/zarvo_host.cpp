#include "zarvo_host.h"

#include <cstdio>
#include <cstring>

namespace zarvo_host {

// {96E78121-9FF2-466D-B6CD-4038CAC1BB79}
const CLSID kClsidTng = {0x96e78121, 0x9ff2, 0x466d, {0xb6, 0xcd, 0x40, 0x38, 0xca, 0xc1, 0xbb, 0x79}};
const char kProgIdTng[] = "Quennel.TNG";

namespace {
const char kWindowClass[] = "ZarvoHostBrowser";

std::string HexKey(UINT vk) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "key 0x%02X", vk);
  return buf;
}
}  // namespace

std::string Regsvr32Exe() {
  char dir[MAX_PATH] = {};
  GetSystemDirectoryA(dir, sizeof dir);
  return std::string(dir) + "\\regsvr32.exe";
}

int RunRegsvr32(const std::string& sDllPath, bool bUnregister) {
  std::string cmd = "\"" + Regsvr32Exe() + "\" /s " + (bUnregister ? "/u " : "") + "\"" + sDllPath + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return -1;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = static_cast<DWORD>(-1);
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

std::string RegisteredServer() {
  char value[MAX_PATH * 4] = {};
  LONG size = sizeof value;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{96E78121-9FF2-466D-B6CD-4038CAC1BB79}\\InprocServer32",
                     value, &size) != ERROR_SUCCESS)
    return std::string();
  return value;
}

bool EnsureRegistered(const std::string& sDllPath) {
  if (lstrcmpiA(RegisteredServer().c_str(), sDllPath.c_str()) == 0) return true;
  return RunRegsvr32(sDllPath, false) == 0 &&
         lstrcmpiA(RegisteredServer().c_str(), sDllPath.c_str()) == 0;
}

void PumpMessages(DWORD dwMs) {
  PumpUntil([] { return false; }, dwMs);
}

bool PumpUntil(const std::function<bool()>& fnDone, DWORD dwTimeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (fnDone()) return true;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= dwTimeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, dwTimeoutMs - elapsed < 20 ? dwTimeoutMs - elapsed : 20,
                              QS_ALLINPUT);
  }
}

namespace {
BOOL CALLBACK CollectMessageWindow(HWND hwnd, LPARAM lParam) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (std::strncmp(name, "QuennelTNG:", 11) == 0)
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> MessageWindowsOfThread() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), CollectMessageWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

void SetKeyboardFor(UINT uVirtualKey, unsigned uModifiers) {
  BYTE state[256] = {};
  if (uModifiers & kShift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
  if (uModifiers & kCtrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
  if (uModifiers & kAlt) state[VK_MENU] = state[VK_LMENU] = 0x80;
  if (uVirtualKey < 256) state[uVirtualKey] |= 0x80;
  SetKeyboardState(state);
}

void ReleaseAllKeys() {
  BYTE state[256] = {};
  SetKeyboardState(state);
}

MSG KeyDownMessage(HWND hwnd, UINT uVirtualKey) {
  MSG msg = {};
  msg.hwnd = hwnd;
  msg.message = WM_KEYDOWN;
  msg.wParam = uVirtualKey;
  UINT scan = MapVirtualKeyA(uVirtualKey, MAPVK_VK_TO_VSC);
  msg.lParam = static_cast<LPARAM>(1 | (scan << 16));
  msg.time = GetTickCount();
  // Where the last message found the mouse: asking the pointer anew costs a
  // round trip to the display under Wine, for every key.
  DWORD pos = GetMessagePos();
  msg.pt.x = static_cast<SHORT>(LOWORD(pos));
  msg.pt.y = static_cast<SHORT>(HIWORD(pos));
  return msg;
}

BrowserWindow::BrowserWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kWindowClass;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&wc);  // fails harmlessly when already registered
  window_ = CreateWindowA(kWindowClass, "Zarvo", WS_OVERLAPPEDWINDOW, 40, 40, 400, 300, nullptr,
                          nullptr, wc.hInstance, this);
}

BrowserWindow::~BrowserWindow() {
  Close();
  if (window_) DestroyWindow(window_);
}

HRESULT BrowserWindow::CreateByClsid(const CLSID& clsid) {
  IUnknown* object = nullptr;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&object));
  if (FAILED(hr)) return hr;
  return Adopt(object);
}

HRESULT BrowserWindow::CreateByProgId(const char* sProgId) {
  wchar_t wide[128] = {};
  MultiByteToWideChar(CP_ACP, 0, sProgId, -1, wide, 128);
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(wide, &clsid);
  if (FAILED(hr)) return hr;
  return CreateByClsid(clsid);
}

HRESULT BrowserWindow::Adopt(IUnknown* pObject) {
  Close();
  return Attach(pObject);
}

HRESULT BrowserWindow::Attach(IUnknown* pObject) {
  if (!pObject) return E_POINTER;
  object_ = pObject;
  // Zarvo takes the three interfaces it drives the object through.
  HRESULT hr = object_->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&withSite_));
  if (SUCCEEDED(hr))
    hr = object_->QueryInterface(IID_IInputObject, reinterpret_cast<void**>(&input_));
  if (SUCCEEDED(hr))
    hr = object_->QueryInterface(__uuidof(IHostPlugin), reinterpret_cast<void**>(&plugin_));
  if (FAILED(hr)) Detach();
  return hr;
}

void BrowserWindow::Detach() {
  if (plugin_) plugin_->Release();
  if (input_) input_->Release();
  if (withSite_) withSite_->Release();
  if (object_) object_->Release();
  plugin_ = nullptr;
  input_ = nullptr;
  withSite_ = nullptr;
  object_ = nullptr;
}

void BrowserWindow::SetSite(IUnknown* pBrowser) {
  if (withSite_) withSite_->SetSite(pBrowser);
}

int32_t BrowserWindow::Start() { return plugin_ ? plugin_->Start(0) : 0; }
int32_t BrowserWindow::Stop() { return plugin_ ? plugin_->Stop() : 0; }
int32_t BrowserWindow::Configure() { return plugin_ ? plugin_->Configure(0) : 0; }

HRESULT BrowserWindow::Key(UINT uVirtualKey, unsigned uModifiers) {
  if (!input_) return E_UNEXPECTED;
  SetKeyboardFor(uVirtualKey, uModifiers);
  MSG msg = KeyDownMessage(window_, uVirtualKey);
  HRESULT hr = input_->TranslateAcceleratorIO(&msg);
  if (hr != S_OK && passKeysOn_) {
    // Zarvo handles the key itself: translation into characters and the
    // browser window's own key handling.
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    MSG chr;
    while (PeekMessageA(&chr, window_, WM_CHAR, WM_DEADCHAR, PM_REMOVE)) DispatchMessageA(&chr);
  }
  if (passKeysOn_) ReleaseAllKeys();
  return hr;
}

std::vector<HRESULT> BrowserWindow::Type(const std::string& sText) {
  std::vector<HRESULT> results;
  for (char c : sText) {
    SHORT scan = VkKeyScanA(c);
    if (scan == -1) {
      results.push_back(E_INVALIDARG);
      continue;
    }
    unsigned mods = kNoModifier;
    if (scan & 0x100) mods |= kShift;
    if (scan & 0x200) mods |= kCtrl;
    if (scan & 0x400) mods |= kAlt;
    results.push_back(Key(LOBYTE(scan), mods));
  }
  return results;
}

void BrowserWindow::Close() {
  if (!object_) return;
  Stop();
  SetSite(nullptr);
  Detach();
}

LRESULT CALLBACK BrowserWindow::WindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<BrowserWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (uMsg) {
    case WM_KEYDOWN:
      if (self) self->passed_.push_back(HexKey(static_cast<UINT>(wParam)));
      return 0;
    case WM_CHAR:
      if (self) {
        char buf[32];
        if (wParam >= 0x20 && wParam < 0x7F)
          std::snprintf(buf, sizeof buf, "char '%c'", static_cast<char>(wParam));
        else
          std::snprintf(buf, sizeof buf, "char 0x%02X", static_cast<unsigned>(wParam));
        self->passed_.push_back(buf);
      }
      return 0;
    case WM_NCDESTROY:
      if (self) self->window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

}  // namespace zarvo_host
