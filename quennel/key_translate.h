// What character a key types, asked of the keyboard without disturbing it.
//
// Zarvo hands every key to the engine before it translates the key itself
// (TranslateMessage). Translating a key in between with ToAscii would use
// up a pending dead key (the accent keys of French, German and many other
// layouts), and the user typing "ê" into a text field of the page would get
// "e". So the engine asks ToUnicodeEx with flag 4, "do not change keyboard
// state", where Windows honours it (Windows 10 version 1607 and later).
// Where it does not, the engine leaves dead keys, and the key after one,
// untranslated: a dead key never types a character of 0x20 to 0x7E alone,
// and the key after it belongs to the accent.
#pragma once
#include <windows.h>

namespace quennel {

// The keyboard functions the translation uses. Tests put a model keyboard
// in their place.
struct KeyboardApi {
  int(WINAPI* toUnicodeEx)(UINT, UINT, const BYTE*, LPWSTR, int, UINT, HKL) = nullptr;
  UINT(WINAPI* mapVirtualKeyEx)(UINT, UINT, HKL) = nullptr;
  HKL(WINAPI* getKeyboardLayout)(DWORD) = nullptr;
  // Whether toUnicodeEx honours flag 4 and leaves a pending dead key alone.
  bool keepsDeadKeys = false;
};

// Windows' own functions; keepsDeadKeys from the system's version.
KeyboardApi SystemKeyboard();
// Replaces the keyboard functions (tests); SystemKeyboard() restores them.
void SetKeyboardApi(const KeyboardApi& api);

// Flag 4 of ToUnicodeEx: translate without changing the keyboard state.
constexpr UINT kToUnicodeKeepState = 4;

// The character 0x20 to 0x7E that the key types in the keyboard state
// (256 bytes as GetKeyboardState gives them), or 0 when it types none.
// uScanCode is bits 16 to 23 of the key message's lParam.
char TypedCharacter(UINT uVirtualKey, UINT uScanCode, const BYTE* pKeyState);

}  // namespace quennel
