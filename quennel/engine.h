// Find-as-you-type over the texts of a page's links. Keys come from Zarvo
// through TranslateAcceleratorIO; the engine talks to the browser only
// through the interfaces the browser control publishes (IWebBrowser2,
// IOleContainer, IEnumUnknown, IHTMLDocument2, IHTMLElement,
// IHTMLBodyElement, IHTMLElementCollection, IHTMLTxtRange,
// IHTMLAnchorElement), so that it runs as well against substitutes.
#pragma once
#include <windows.h>

#include <string>

namespace quennel {

// The status-bar messages. Each begins with a line feed.
extern const char kStatusEnabled[];
extern const char kStatusDisabled[];
extern const char kStatusCleared[];
extern const char kStatusStopped[];
extern const char kStatusFinding[];
extern const char kStatusNotFound[];

// The idle timer on the object's message window.
constexpr UINT_PTR kIdleTimerId = 0;
constexpr UINT kIdleTimerMs = 3000;

// What the engine keeps of one TNG object.
struct TngState {
  LONG enabled = 1;     // flipped by Ctrl+Shift+A
  LONG textField = 0;   // a text field had the focus during the current key
  IUnknown* site = nullptr;  // the browser; held without a reference
  HWND window = nullptr;     // the hidden message window, when started
};

// The key handler: S_OK when the key is used up, S_FALSE when Zarvo handles
// it as usual, or the failure of the frame enumeration.
HRESULT HandleKey(TngState& state, const MSG* pMsg);

// The idle timer fired: the search text is forgotten.
void HandleIdleTimer(TngState& state);

// Shows an ANSI text on the status bar of the site's browser.
void ShowStatus(IUnknown* pSite, const char* sText);

// False when the key belongs to a text field of this browser's document,
// or the browser has no document.
bool CheckFocus(TngState& state, IUnknown* pBrowser);

// Searches the links of this browser's document for the search text and
// selects the first match; true when one was found.
bool FindInLinks(IUnknown* pSite, IUnknown* pBrowser, const std::string& sSearch);

}  // namespace quennel
