// Driving a client through its menus: counted waits, keys in the sequence
// notation, text typed as itself, and the clipboard.
//
// Keys go to whatever window is in front, and the counted waits say
// nothing about when the client's window appears. So before every key the
// window in front must belong to the client that this run started; until
// it does, the run waits (bounded), and if it never does, nothing more is
// typed: a login typed into a browser or a chat window would give it away.
#include <windows.h>

#include <string>
#include <vector>

#include "launcher/executor_steps.h"
#include "process.h"

namespace marlock {

namespace {

constexpr DWORD kClientInFrontTimeoutMs = 30000;
constexpr DWORD kClientInFrontPollMs = 50;
constexpr const char* kClientNotInFrontText =
    "Marlock stopped typing into the FTP client, because the client's window was not in front. "
    "Please open the link again.";

// One pass over this process's message queue.
void PumpOnce() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool ClientInFront(DWORD dwClientProcessId) {
  if (dwClientProcessId == 0) return false;
  HWND front = GetForegroundWindow();
  if (!front) return false;
  DWORD dwOwner = 0;
  GetWindowThreadProcessId(front, &dwOwner);
  return dwOwner == dwClientProcessId;
}

void EnsureClientInFront(const Execution& run) {
  const DWORD dwStart = GetTickCount();
  while (!ClientInFront(run.clientProcessId)) {
    if (GetTickCount() - dwStart >= kClientInFrontTimeoutMs) {
      zarvo::ShowMessage(kClientNotInFrontText, "Marlock", MB_ICONHAND | MB_OK);
      zarvo::EndProcess();
    }
    PumpOnce();
    Sleep(kClientInFrontPollMs);
  }
}

INPUT KeyInput(WORD wVk, bool bUp) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = wVk;
  input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
  return input;
}

void SendAll(std::vector<INPUT>& inputs) {
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A key pressed and released while the modifiers are held.
void PressKey(WORD wVk, const std::vector<WORD>& modifiers, const Execution& run) {
  EnsureClientInFront(run);
  std::vector<INPUT> inputs;
  for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
  if (wVk) {
    inputs.push_back(KeyInput(wVk, false));
    inputs.push_back(KeyInput(wVk, true));
  }
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
    inputs.push_back(KeyInput(*it, true));
  }
  SendAll(inputs);
}

// The virtual key of a fixed character of a sequence ("F", "C", "V"...).
// Letters are their keys without Shift: held with Alt or Ctrl, Shift would
// make another shortcut of them.
WORD KeyOf(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<WORD>(c);
  return static_cast<WORD>(LOBYTE(VkKeyScanA(c)));
}

WORD NamedKey(const std::string& sName) {
  if (sName == "ENTER") return VK_RETURN;
  if (sName == "TAB") return VK_TAB;
  if (sName == "ESC") return VK_ESCAPE;
  return 0;
}

// One character of text, typed as itself whatever it means in the key
// notation or on the keyboard layout. A carriage return is the Enter key.
void TypeCharacter(wchar_t ch, const Execution& run) {
  if (ch == L'\r') {
    PressKey(VK_RETURN, {}, run);
    return;
  }
  EnsureClientInFront(run);
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = ch;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
  }
  inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

}  // namespace

void Run(const PumpEvents& p, Execution&) {
  for (int i = 0; i < p.passes; ++i) PumpOnce();
}

void Run(const SendKeys& k, Execution& run) {
  const std::string& s = k.keys;
  size_t i = 0;
  while (i < s.size()) {
    std::vector<WORD> modifiers;
    while (i < s.size() && (s[i] == '%' || s[i] == '^')) {
      modifiers.push_back(s[i] == '%' ? VK_MENU : VK_CONTROL);
      ++i;
    }
    if (i >= s.size()) {  // "%" alone: a press of Alt
      PressKey(0, modifiers, run);
      break;
    }
    WORD wVk = 0;
    if (s[i] == '{') {
      const size_t end = s.find('}', i);
      if (end == std::string::npos) break;
      wVk = NamedKey(s.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      wVk = KeyOf(s[i]);
      ++i;
    }
    PressKey(wVk, modifiers, run);
  }
}

void Run(const TypeText& t, Execution& run) {
  if (t.text.empty()) return;
  const int iLength = MultiByteToWideChar(CP_ACP, 0, t.text.data(),
                                          static_cast<int>(t.text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(iLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, t.text.data(), static_cast<int>(t.text.size()), &wide[0],
                      iLength);
  for (wchar_t ch : wide) TypeCharacter(ch, run);
}

// The text stays on the clipboard after Marlock ends.
void Run(const PutClipboardText& c, Execution&) {
  for (int iTry = 0; iTry < 20 && !OpenClipboard(nullptr); ++iTry) Sleep(50);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, c.text.size() + 1);
  if (memory) {
    char* p = static_cast<char*>(GlobalLock(memory));
    memcpy(p, c.text.c_str(), c.text.size() + 1);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

}  // namespace marlock
