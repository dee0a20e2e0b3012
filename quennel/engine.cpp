#include "engine.h"

#include <exdisp.h>
#include <mshtml.h>
#include <ocidl.h>

#include <cstring>
#include <string_view>

#include "com_ptr.h"
#include "key_translate.h"
#include "link_search.h"
#include "module.h"

namespace quennel {

const char kStatusEnabled[] = "\nT&G Enabled";
const char kStatusDisabled[] = "\nT&G Disabled";
const char kStatusCleared[] = "\nT&G Cleared";
const char kStatusStopped[] = "\nT&G Stopped";
const char kStatusFinding[] = "\nT&G Finding...( Press ESC to clear )";
const char kStatusNotFound[] = "\nT&G Finding: Not Found";

namespace {

// The code page's lead bytes, once per process; null for a single-byte one.
LeadByteTable LeadBytes() {
  static bool table[256];
  static const bool* lead = [] () -> const bool* {
    CPINFO info = {};
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2) return nullptr;
    bool any = false;
    for (int r = 0; r < MAX_LEADBYTES - 1 && (info.LeadByte[r] || info.LeadByte[r + 1]); r += 2) {
      for (int b = info.LeadByte[r]; b <= info.LeadByte[r + 1]; ++b) table[b] = any = true;
    }
    return any ? table : nullptr;
  }();
  return lead;
}

// Wide text in the system ANSI code page, into a buffer kept between calls.
void ToAnsi(const wchar_t* pText, int iLength, std::string& sOut) {
  sOut.clear();
  if (!pText || iLength <= 0) return;
  int need = WideCharToMultiByte(CP_ACP, 0, pText, iLength, nullptr, 0, nullptr, nullptr);
  if (need <= 0) return;
  sOut.resize(static_cast<size_t>(need));
  int got = WideCharToMultiByte(CP_ACP, 0, pText, iLength, &sOut[0], need, nullptr, nullptr);
  sOut.resize(got > 0 ? static_cast<size_t>(got) : 0);
}

void LowerInPlace(std::string& s) {
  if (!s.empty()) CharLowerBuffA(&s[0], static_cast<DWORD>(s.size()));
}

// The character (UTF-16 unit) offset in pText at which byte iByte of its
// ANSI form begins. One unit makes one byte unless the code page has
// double-byte characters or the text holds surrogate pairs; only then is
// the text walked.
long CharOffsetOfByte(const wchar_t* pText, int iLength, size_t iAnsiLength, size_t iByte) {
  if (iAnsiLength == static_cast<size_t>(iLength)) return static_cast<long>(iByte);
  size_t bytes = 0;
  int i = 0;
  while (i < iLength && bytes < iByte) {
    int units = (IS_HIGH_SURROGATE(pText[i]) && i + 1 < iLength && IS_LOW_SURROGATE(pText[i + 1])) ? 2 : 1;
    char tmp[8];
    int n = WideCharToMultiByte(CP_ACP, 0, pText + i, units, tmp, sizeof tmp, nullptr, nullptr);
    bytes += n > 0 ? static_cast<size_t>(n) : 1;
    i += units;
  }
  return i;
}

bool EqualsNoCase(const std::string& a, const char* b) {
  size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool IsDown(int iVirtualKey) { return (GetKeyState(iVirtualKey) & 0x8000) != 0; }

void RestartIdleTimer(const TngState& state) {
  // Without a message window (before Start, after Stop) there is no timer:
  // SetTimer without a window would make a new thread timer on every key.
  if (!state.window) return;
  KillTimer(state.window, kIdleTimerId);
  SetTimer(state.window, kIdleTimerId, kIdleTimerMs, nullptr);
}

ComPtr<IDispatch> DocumentOf(IWebBrowser2* pBrowser) {
  ComPtr<IDispatch> doc;
  if (pBrowser && FAILED(pBrowser->get_Document(doc.Put()))) doc.Reset();
  return doc;
}

// The next embedded object of the enumeration that is a browser (a frame).
ComPtr<IWebBrowser2> NextFrame(IEnumUnknown* pFrames) {
  for (;;) {
    ComPtr<IUnknown> object;
    ULONG fetched = 0;
    if (pFrames->Next(1, object.Put(), &fetched) != S_OK) return {};
    ComPtr<IWebBrowser2> frame = QueryAs<IWebBrowser2>(object.Get());
    if (frame) return frame;
  }
}

}  // namespace

void ShowStatus(IUnknown* pSite, const char* sText) {
  ComPtr<IWebBrowser2> browser = QueryAs<IWebBrowser2>(pSite);
  if (!browser) return;
  int n = MultiByteToWideChar(CP_ACP, 0, sText, -1, nullptr, 0);
  if (n <= 0) return;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, sText, -1, &wide[0], n);
  BSTR text = SysAllocString(wide.c_str());
  if (!text) return;
  browser->put_StatusText(text);
  SysFreeString(text);
}

bool CheckFocus(TngState& state, IUnknown* pBrowser) {
  ComPtr<IWebBrowser2> browser = QueryAs<IWebBrowser2>(pBrowser);
  if (!browser) return true;
  ComPtr<IDispatch> doc = DocumentOf(browser.Get());
  if (!doc) return false;
  ComPtr<IHTMLDocument2> html = QueryAs<IHTMLDocument2>(doc.Get());
  if (!html) return true;
  ComPtr<IHTMLElement> active;
  if (FAILED(html->get_activeElement(active.Put())) || !active) return true;
  Bstr tag;
  std::string ansi;
  if (SUCCEEDED(active->get_tagName(tag.Put())) && tag.Get())
    ToAnsi(tag.Get(), static_cast<int>(tag.Length()), ansi);
  // Every INPUT counts, whatever its type.
  if (EqualsNoCase(ansi, "Textarea") || EqualsNoCase(ansi, "INPUT")) {
    state.textField = 1;
    return false;
  }
  return true;
}

bool FindInLinks(IUnknown* pSite, IUnknown* pBrowser, const std::string& sSearch) {
  ComPtr<IWebBrowser2> browser = QueryAs<IWebBrowser2>(pBrowser);
  if (!browser) return false;
  ComPtr<IDispatch> doc = DocumentOf(browser.Get());
  ComPtr<IHTMLDocument2> html = QueryAs<IHTMLDocument2>(doc.Get());
  if (!html) return false;

  ShowStatus(pSite, kStatusFinding);

  ComPtr<IHTMLElement> body;
  if (FAILED(html->get_body(body.Put()))) body.Reset();
  ComPtr<IHTMLBodyElement> bodyElement = QueryAs<IHTMLBodyElement>(body.Get());
  if (!bodyElement) return false;
  ComPtr<IHTMLTxtRange> range;
  if (FAILED(bodyElement->createTextRange(range.Put()))) range.Reset();
  if (!range) return false;
  ComPtr<IHTMLElementCollection> links;
  if (FAILED(html->get_links(links.Put()))) links.Reset();
  if (!links) return false;

  std::string needle = sSearch;
  LowerInPlace(needle);
  if (needle.empty()) return false;
  const LeadByteTable lead = LeadBytes();

  LONG count = 0;
  if (FAILED(links->get_length(&count))) count = 0;
  std::string text;  // one buffer for every link text
  for (LONG i = 0; i < count; ++i) {
    VARIANT name, index;
    VariantInit(&name);
    VariantInit(&index);
    name.vt = VT_I4;
    name.lVal = i;
    index.vt = VT_I4;
    index.lVal = 0;
    ComPtr<IDispatch> item;
    if (FAILED(links->item(name, index, item.Put()))) continue;
    ComPtr<IHTMLElement> element = QueryAs<IHTMLElement>(item.Get());
    if (!element) continue;
    Bstr inner;
    if (FAILED(element->get_innerText(inner.Put())) || !inner.Get()) continue;
    const int length = static_cast<int>(inner.Length());
    ToAnsi(inner.Get(), length, text);
    LowerInPlace(text);
    size_t at = FindInText(text, needle, lead);
    if (at == std::string::npos) continue;

    // Select exactly the match: from the link's whole text, move the start
    // forward to the match and the end back to the match's end.
    const long p = CharOffsetOfByte(inner.Get(), length, text.size(), at);
    const long end = CharOffsetOfByte(inner.Get(), length, text.size(), at + needle.size());
    const long m = end - p;
    const long n = length;
    Bstr unit(L"character");
    LONG moved = 0;
    range->moveToElementText(element.Get());
    range->moveStart(unit.Get(), p, &moved);
    range->moveEnd(unit.Get(), p + m - n, &moved);
    range->select();
    if (ComPtr<IHTMLAnchorElement> anchor = QueryAs<IHTMLAnchorElement>(element.Get())) anchor->focus();
    return true;
  }
  return false;
}

HRESULT HandleKey(TngState& state, const MSG* pMsg) {
  if (!pMsg || pMsg->message != WM_KEYDOWN) return S_FALSE;
  const UINT key = static_cast<UINT>(pMsg->wParam);
  std::string& search = SearchText();
  // The flag tells about the current key only: a text field visited once
  // must not silence "Not Found" for the rest of the window's life.
  state.textField = 0;

  if (key == 'A' && IsDown(VK_CONTROL) && IsDown(VK_SHIFT)) {
    state.enabled = state.enabled ? 0 : 1;
    ShowStatus(state.site, state.enabled ? kStatusEnabled : kStatusDisabled);
    return S_OK;
  }
  if (!state.enabled) return S_FALSE;

  switch (key) {
    case VK_ESCAPE:
      search.clear();
      ShowStatus(state.site, kStatusCleared);
      return S_OK;
    case VK_RETURN:
      search.clear();
      return S_FALSE;
    case VK_BACK:
      if (search.empty()) return S_FALSE;
      search.pop_back();
      break;
    default: {
      BYTE keys[256] = {};
      if (!GetKeyboardState(keys)) return S_FALSE;
      const UINT scan = static_cast<UINT>((pMsg->lParam >> 16) & 0xFF);
      const char typed = TypedCharacter(key, scan, keys);
      if (!typed) return S_FALSE;
      search.push_back(typed);
      break;
    }
  }

  RestartIdleTimer(state);

  ComPtr<IWebBrowser2> top = QueryAs<IWebBrowser2>(state.site);
  ComPtr<IDispatch> topDocument = DocumentOf(top.Get());
  if (search.empty()) return S_FALSE;
  // The search works on its own copy: nothing it calls may change it.
  const std::string text = search;

  ComPtr<IEnumUnknown> frames;
  if (topDocument) {
    if (ComPtr<IOleContainer> container = QueryAs<IOleContainer>(topDocument.Get())) {
      HRESULT hr = container->EnumObjects(OLECONTF_EMBEDDINGS, frames.Put());
      if (FAILED(hr)) return hr;
    }
    // A text field with the focus, in a frame or in the page, keeps the key.
    if (frames) {
      while (ComPtr<IWebBrowser2> frame = NextFrame(frames.Get())) {
        if (!CheckFocus(state, frame.Get())) return S_FALSE;
      }
    }
    if (!CheckFocus(state, top.Get())) return S_FALSE;
  }

  bool found = false;
  if (frames) {
    frames->Reset();
    while (ComPtr<IWebBrowser2> frame = NextFrame(frames.Get())) {
      if (FindInLinks(state.site, frame.Get(), text)) {
        found = true;
        break;
      }
    }
  }
  if (!found) found = FindInLinks(state.site, top.Get(), text);
  if (found) return S_OK;
  if (!state.textField) ShowStatus(state.site, kStatusNotFound);
  return S_FALSE;
}

void HandleIdleTimer(TngState& state) {
  if (state.window) KillTimer(state.window, kIdleTimerId);
  SearchText().clear();
  ShowStatus(state.site, kStatusStopped);
}

}  // namespace quennel
