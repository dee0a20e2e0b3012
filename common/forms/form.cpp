#include "form.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

namespace zarvo::forms {

namespace {

constexpr char kFormClass[] = "ZarvoForm";
constexpr char kFrameClass[] = "ZarvoFrame";
// Runs a LostFocus handler once the focus change is complete, so that the
// handler may show a message or move the focus itself.
constexpr UINT kLostFocusMessage = WM_APP + 1;
constexpr UINT_PTR kSubclassId = 1;

int ScreenDpi(int iIndex) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, iIndex);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int FontHeight(int iSizeHundredths) {
  return -MulDiv(iSizeHundredths, ScreenDpi(LOGPIXELSY), 7200);
}

std::wstring Widen(const char* sUtf8) {
  if (!sUtf8) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, sUtf8, -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, sUtf8, -1, &w[0], n);
  return w;
}

int g_liveForms = 0;

}  // namespace

void Form::RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSA wc = {};
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.style = CS_DBLCLKS;
  wc.lpszClassName = kFormClass;
  wc.lpfnWndProc = FormProc;
  RegisterClassA(&wc);
  wc.lpszClassName = kFrameClass;
  wc.hIcon = nullptr;
  wc.lpfnWndProc = FrameProc;
  RegisterClassA(&wc);
}

int Form::LiveForms() { return g_liveForms; }

void Form::RunMessageLoop() {
  MSG msg;
  while (g_liveForms > 0) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) break;
    bool handled = false;
    // Only keys need the form (Enter, Esc, Tab, mnemonics); the rest goes
    // straight to its window, so a form woken by a timer does no more work
    // than a plain window.
    const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    for (HWND top = key ? msg.hwnd : nullptr; top && !handled; top = GetParent(top)) {
      char cls[32] = {};
      GetClassNameA(top, cls, sizeof cls);
      if (strcmp(cls, kFormClass) == 0) {
        if (Form* form = reinterpret_cast<Form*>(GetWindowLongPtrA(top, GWLP_USERDATA))) {
          handled = form->PreTranslate(msg);
        }
        break;
      }
    }
    if (!handled) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

Form::Form(const FormSpec& layout, const ControlSpec* controls, size_t count)
    : spec_(layout), controls_(controls, controls + count) {}

Form::~Form() {
  if (hwnd_) DestroyWindow(hwnd_);
  for (HBRUSH b : brushes_) {
    if (b) DeleteObject(b);
  }
  for (HFONT f : fonts_) {
    if (f && f != formFont_) DeleteObject(f);
  }
  if (formFont_) DeleteObject(formFont_);
}

int Form::TwipsToPixelsX(int iTwips) { return MulDiv(iTwips, ScreenDpi(LOGPIXELSX), 1440); }
int Form::TwipsToPixelsY(int iTwips) { return MulDiv(iTwips, ScreenDpi(LOGPIXELSY), 1440); }
int Form::PixelsToTwipsX(int iPixels) { return MulDiv(iPixels, 1440, ScreenDpi(LOGPIXELSX)); }
int Form::PixelsToTwipsY(int iPixels) { return MulDiv(iPixels, 1440, ScreenDpi(LOGPIXELSY)); }

void Form::Load() {
  if (hwnd_) return;
  RegisterClasses();
  formFont_ = CreateFontA(FontHeight(spec_.fontSizeHundredths), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                          FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH, spec_.fontName);
  RECT r = {0, 0, TwipsToPixelsX(spec_.clientWidth), TwipsToPixelsY(spec_.clientHeight)};
  AdjustWindowRectEx(&r, spec_.style, FALSE, spec_.exStyle);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  if (spec_.centered) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    x = work.left + (work.right - work.left - w) / 2;
    y = work.top + (work.bottom - work.top - h) / 2;
  }
  CreateWindowExA(spec_.exStyle, kFormClass, spec_.caption, spec_.style, x, y, w, h, nullptr,
                  nullptr, GetModuleHandleA(nullptr), this);
  if (!hwnd_) return;
  ++g_liveForms;
  CreateControls();
  loading_ = true;
  Fire(EventType::Load, 0);
  loading_ = false;
}

void Form::Show() {
  Load();
  if (!hwnd_) return;
  ShowWindow(hwnd_, showState_ == 2   ? SW_SHOWMAXIMIZED
                    : showState_ == 1 ? SW_SHOWMINIMIZED
                                      : SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
}

namespace {

struct DisableState {
  HWND self;
  std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<DisableState*>(lp);
  if (hwnd != st->self && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    st->disabled.push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

void Form::ShowModal() {
  Load();
  if (!hwnd_) return;
  HWND self = hwnd_;
  DisableState st = {self, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOthers, reinterpret_cast<LPARAM>(&st));
  modalDone_ = false;
  Show();
  MSG msg;
  while (!modalDone_) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  for (HWND h : st.disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
  if (IsWindow(self)) DestroyWindow(self);
}

int Form::WindowState() const {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return showState_;
  return IsIconic(hwnd_) ? 1 : IsZoomed(hwnd_) ? 2 : 0;
}

void Form::SetWindowState(int iState) {
  showState_ = iState;
  if (hwnd_ && IsWindowVisible(hwnd_)) {
    ShowWindow(hwnd_, iState == 2 ? SW_MAXIMIZE : iState == 1 ? SW_MINIMIZE : SW_RESTORE);
  }
}

void Form::Unload() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Form::PreTranslate(MSG& msg) {
  // The dialog manager acts on keys only; any other message it would just
  // dispatch, as the caller does.
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
    HWND focus = GetFocus();
    char cls[32] = {};
    if (focus) GetClassNameA(focus, cls, sizeof cls);
    // An open drop-down list takes Enter and Esc itself.
    if (focus && _stricmp(cls, "ComboBox") == 0 && SendMessageA(focus, CB_GETDROPPEDSTATE, 0, 0)) {
      return false;
    }
    if (msg.wParam == VK_RETURN && focus && _stricmp(cls, "Button") == 0) {
      LONG type = GetWindowLongA(focus, GWL_STYLE) & BS_TYPEMASK;
      if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        SendMessageA(focus, BM_CLICK, 0, 0);
        return true;
      }
    }
    unsigned wanted = msg.wParam == VK_RETURN ? kDefault : kCancel;
    for (size_t i = 0; i < controls_.size(); ++i) {
      if ((controls_[i].flags & wanted) && IsWindowEnabled(hwnds_[i])) {
        SendMessageA(hwnds_[i], BM_CLICK, 0, 0);
        return true;
      }
    }
    return msg.wParam == VK_ESCAPE;
  }
  // A label's access key puts the focus on the control that follows it in
  // the table. The dialog manager does this only for windows of the dialog
  // class; it still handles the access keys of buttons and check boxes.
  // Without Alt the key counts only where the focused control takes no
  // typing.
  if (msg.message == WM_SYSCHAR ||
      (msg.message == WM_CHAR && GetFocus() &&
       !(SendMessageA(GetFocus(), WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS))) {
    if (HWND target = AccessKeyTarget(static_cast<unsigned char>(msg.wParam))) {
      SetFocus(target);
      char cls[16] = {};
      GetClassNameA(target, cls, sizeof cls);
      if (_stricmp(cls, "Edit") == 0) SendMessageA(target, EM_SETSEL, 0, -1);
      return true;
    }
  }
  return IsDialogMessageA(hwnd_, &msg) != FALSE;
}

HWND Form::AccessKeyTarget(unsigned char key) const {
  if (!isalnum(key)) return nullptr;
  for (size_t i = 0; i < controls_.size() && i < hwnds_.size(); ++i) {
    const ControlSpec& c = controls_[i];
    if (c.kind != Kind::Label || !c.caption || !IsWindowVisible(hwnds_[i]) ||
        !IsWindowEnabled(hwnds_[i])) {
      continue;
    }
    // "&&" stands for an ampersand; the first single "&" marks the key.
    const char* p = c.caption;
    while ((p = strchr(p, '&')) != nullptr && p[1] == '&') p += 2;
    if (!p || toupper(static_cast<unsigned char>(p[1])) != toupper(key)) continue;
    for (size_t j = i + 1; j < controls_.size(); ++j) {
      const Kind k = controls_[j].kind;
      if (k == Kind::Label || k == Kind::Frame || k == Kind::Picture) continue;
      if (hwnds_[j] && IsWindowVisible(hwnds_[j]) && IsWindowEnabled(hwnds_[j])) return hwnds_[j];
    }
    return nullptr;
  }
  return nullptr;
}

HFONT Form::FontFor(const ControlSpec& c) {
  if (!c.fontName && !c.fontSizeHundredths && !c.fontBold) return formFont_;
  const char* name = c.fontName ? c.fontName : spec_.fontName;
  int size = c.fontSizeHundredths ? c.fontSizeHundredths : spec_.fontSizeHundredths;
  HFONT f = CreateFontA(FontHeight(size), 0, 0, 0, c.fontBold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                        FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH, name);
  return f;
}

void Form::CreateControls() {
  hwnds_.assign(controls_.size(), nullptr);
  backColors_.assign(controls_.size(), kDefaultColor);
  brushes_.assign(controls_.size(), nullptr);
  fonts_.assign(controls_.size(), nullptr);
  for (size_t i = 0; i < controls_.size(); ++i) {
    const ControlSpec& c = controls_[i];
    HWND parent = hwnd_;
    if (c.container) {
      if (HWND frame = Control(c.container)) parent = frame;
    }
    backColors_[i] = c.backColor;
    if (c.backColor != kDefaultColor) brushes_[i] = CreateSolidBrush(c.backColor);
    fonts_[i] = FontFor(c);
    hwnds_[i] = CreateControl(c, parent);
    if (hwnds_[i]) {
      SendMessageA(hwnds_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[i]), FALSE);
    }
  }
  // A label lies beneath the controls beside it, as a lightweight label
  // drawn on its container does: where a label's box reaches into a text
  // box or list, the control stays whole.
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].kind != Kind::Label || !hwnds_[i]) continue;
    SetWindowPos(hwnds_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // New children go below their older siblings; a frame's border must stay
  // beneath the controls it holds.
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].kind != Kind::Frame || !hwnds_[i]) continue;
    if (HWND box = GetDlgItem(hwnds_[i], -1)) {
      SetWindowPos(box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

HWND Form::CreateControl(const ControlSpec& c, HWND hwndParent) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  if (!(c.flags & kHidden)) style |= WS_VISIBLE;
  if (c.flags & kDisabled) style |= WS_DISABLED;
  const bool tab = !(c.flags & kNoTabStop);
  const char* cls = "STATIC";
  int height = TwipsToPixelsY(c.height);
  switch (c.kind) {
    case Kind::Label:
      style |= SS_NOTIFY | ((c.flags & kCentered) ? SS_CENTER : SS_LEFT);
      break;
    case Kind::Picture:
      style |= SS_NOTIFY | SS_OWNERDRAW;
      break;
    case Kind::Button:
      cls = "BUTTON";
      style |= ((c.flags & kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (tab ? WS_TABSTOP : 0);
      break;
    case Kind::CheckBox:
      cls = "BUTTON";
      style |= BS_AUTOCHECKBOX | (tab ? WS_TABSTOP : 0);
      break;
    case Kind::OptionBox:
      cls = "BUTTON";
      style |= BS_AUTORADIOBUTTON | (tab ? WS_TABSTOP : 0);
      break;
    case Kind::TextBox:
      cls = "EDIT";
      exStyle |= WS_EX_CLIENTEDGE;
      style |= ES_AUTOHSCROLL | (tab ? WS_TABSTOP : 0);
      if (c.flags & kReadOnly) style |= ES_READONLY;
      if (c.flags & kPassword) style |= ES_PASSWORD;
      break;
    case Kind::ComboList:
      cls = "COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | (tab ? WS_TABSTOP : 0);
      height += 200;  // room for the open list
      break;
    case Kind::ListBox:
      cls = "LISTBOX";
      exStyle |= WS_EX_CLIENTEDGE;
      style |= LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | (tab ? WS_TABSTOP : 0);
      if (c.flags & kSorted) style |= LBS_SORT;
      break;
    case Kind::Frame:
      cls = kFrameClass;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
  }
  const int x = TwipsToPixelsX(c.left), y = TwipsToPixelsY(c.top);
  const int w = TwipsToPixelsX(c.width);
  HINSTANCE inst = GetModuleHandleA(nullptr);
  HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id));
  HWND h;
  if (c.flags & kWideText) {
    std::wstring wcls = Widen(cls);
    h = CreateWindowExW(exStyle, wcls.c_str(), Widen(c.caption).c_str(), style, x, y, w, height,
                        hwndParent, id, inst, nullptr);
  } else {
    h = CreateWindowExA(exStyle, cls, c.kind == Kind::Frame ? "" : (c.caption ? c.caption : ""),
                        style, x, y, w, height, hwndParent, id, inst, nullptr);
  }
  if (!h) return nullptr;
  if (c.kind == Kind::Frame) {
    HWND box = CreateWindowExA(0, "BUTTON", c.caption ? c.caption : "",
                               WS_CHILD | WS_VISIBLE | BS_GROUPBOX | WS_CLIPSIBLINGS, 0, 0, w,
                               height, h, reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), inst,
                               nullptr);
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_), FALSE);
  }
  if (c.kind == Kind::TextBox && (c.flags & kPassword)) SendMessageA(h, EM_SETPASSWORDCHAR, '*', 0);
  SetWindowSubclass(h, ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return h;
}

LRESULT CALLBACK Form::FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    auto* form = static_cast<Form*>(cs->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  Form* self = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  return self->HandleMessage(msg, wp, lp);
}

// Frames hand what their controls tell them on to the form.
LRESULT CALLBACK Form::FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      for (HWND form = GetParent(hwnd); form; form = GetParent(form)) {
        char cls[32] = {};
        GetClassNameA(form, cls, sizeof cls);
        if (strcmp(cls, kFormClass) == 0) return SendMessageA(form, msg, wp, lp);
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Form::ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                   DWORD_PTR data) {
  Form* self = reinterpret_cast<Form*>(data);
  const int id = GetDlgCtrlID(hwnd);
  if (self->toolTip_ && ((msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDOWN) ||
                         msg == WM_MOUSEHOVER || msg == WM_MOUSELEAVE)) {
    self->TipMouse(hwnd, msg);
  }
  switch (msg) {
    case WM_CHAR: {
      Event e{EventType::KeyPress, id};
      e.keyAscii = static_cast<int>(static_cast<unsigned char>(wp));
      self->OnEvent(e);
      if (e.keyAscii == 0) return 0;
      wp = static_cast<WPARAM>(static_cast<unsigned char>(e.keyAscii));
      break;
    }
    case WM_KEYDOWN: {
      Event e{EventType::KeyDown, id};
      e.keyAscii = static_cast<int>(wp);
      self->OnEvent(e);
      if (e.keyAscii == 0) return 0;
      break;
    }
    case WM_SETFOCUS:
      PostMessageA(self->hwnd_, kLostFocusMessage + 1, static_cast<WPARAM>(id), 0);
      break;
    case WM_KILLFOCUS:
      PostMessageA(self->hwnd_, kLostFocusMessage, static_cast<WPARAM>(id), 0);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      Event e{EventType::MouseDown, id};
      e.button = msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : 4;
      e.x = static_cast<short>(LOWORD(lp));
      e.y = static_cast<short>(HIWORD(lp));
      self->OnEvent(e);
      break;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ControlProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (OnMessage(msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_COMMAND:
      if (lp == 0) {
        if (HIWORD(wp) == 0 || HIWORD(wp) == 1) Fire(EventType::Menu, LOWORD(wp));
      } else {
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
      for (size_t i = 0; i < controls_.size(); ++i) {
        if (hwnds_[i] != reinterpret_cast<HWND>(lp)) continue;
        HDC dc = reinterpret_cast<HDC>(wp);
        if (controls_[i].foreColor != kDefaultColor) SetTextColor(dc, controls_[i].foreColor);
        if (backColors_[i] != kDefaultColor && brushes_[i]) {
          SetBkColor(dc, backColors_[i]);
          return reinterpret_cast<LRESULT>(brushes_[i]);
        }
        if (controls_[i].foreColor != kDefaultColor) {
          SetBkMode(dc, TRANSPARENT);
          return reinterpret_cast<LRESULT>(GetSysColorBrush(
              msg == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE));
        }
        break;
      }
      (void)id;
      return DefWindowProcA(hwnd_, msg, wp, lp);
    }
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      Event e{EventType::Paint, static_cast<int>(di->CtlID)};
      e.hdc = di->hDC;
      e.rect = di->rcItem;
      OnEvent(e);
      return TRUE;
    }
    case WM_TIMER: {
      Event e{EventType::Timer, static_cast<int>(wp)};
      OnEvent(e);
      return 0;
    }
    case kLostFocusMessage:
    case kLostFocusMessage + 1: {
      Event e{msg == kLostFocusMessage ? EventType::LostFocus : EventType::GotFocus,
              static_cast<int>(wp)};
      OnEvent(e);
      return 0;
    }
    case WM_ACTIVATE:
      // Keys reach a control only once the form has put the focus on it.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        return 0;
      } else {
        HWND focus = GetFocus();
        if (!focus || !IsChild(hwnd_, focus)) {
          HWND next = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_) &&
                              IsWindowVisible(lastFocus_)
                          ? lastFocus_
                          : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
          if (next) SetFocus(next);
        }
        return 0;
      }
    case WM_CLOSE: {
      Event e{EventType::Unload, 0};
      OnEvent(e);
      if (!e.cancel) Unload();
      return 0;
    }
    case WM_DESTROY:
      modalDone_ = true;
      break;
    case WM_NCDESTROY: {
      HWND self = hwnd_;
      SetWindowLongPtrA(self, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      toolTip_ = nullptr;  // owned by the form, gone with it
      tipped_.clear();
      hoverTracked_ = nullptr;
      hwnds_.assign(controls_.size(), nullptr);
      lastFocus_ = nullptr;
      // A form closed by a message sent from another thread or process is
      // handled inside GetMessage, which would go on waiting: wake the
      // message loop so that it sees the last form gone.
      if (--g_liveForms == 0) PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
      return DefWindowProcA(self, msg, wp, lp);
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

bool Form::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

void Form::Fire(EventType type, int iId) {
  Event e{type, iId};
  OnEvent(e);
}

void Form::OnCommand(int iId, int iCode, HWND) {
  const ControlSpec* c = SpecOfId(iId);
  if (!c) return;
  switch (c->kind) {
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::OptionBox:
      if (iCode == BN_CLICKED) Fire(EventType::Click, iId);
      break;
    case Kind::Label:
    case Kind::Picture:
      if (iCode == STN_CLICKED) Fire(EventType::Click, iId);
      if (iCode == STN_DBLCLK) Fire(EventType::DblClick, iId);
      break;
    case Kind::TextBox:
      if (iCode == EN_CHANGE) Fire(EventType::Change, iId);
      break;
    case Kind::ComboList:
      if (iCode == CBN_SELCHANGE) Fire(EventType::Click, iId);
      break;
    case Kind::ListBox:
      if (iCode == LBN_SELCHANGE) Fire(EventType::Click, iId);
      if (iCode == LBN_DBLCLK) Fire(EventType::DblClick, iId);
      break;
    case Kind::Frame:
      break;
  }
}

int Form::IdOf(const char* sName) const {
  const ControlSpec* c = SpecOf(sName);
  return c ? c->id : 0;
}

const ControlSpec* Form::SpecOf(const char* sName) const {
  if (!sName) return nullptr;
  for (const ControlSpec& c : controls_) {
    if (strcmp(c.name, sName) == 0) return &c;
  }
  return nullptr;
}

const ControlSpec* Form::SpecOfId(int iId) const {
  for (const ControlSpec& c : controls_) {
    if (c.id == iId) return &c;
  }
  return nullptr;
}

HWND Form::Control(const char* sName) const {
  if (!sName) return nullptr;
  for (size_t i = 0; i < controls_.size() && i < hwnds_.size(); ++i) {
    if (strcmp(controls_[i].name, sName) == 0) return hwnds_[i];
  }
  return nullptr;
}

HWND Form::ControlById(int iId) const {
  for (size_t i = 0; i < controls_.size() && i < hwnds_.size(); ++i) {
    if (controls_[i].id == iId) return hwnds_[i];
  }
  return nullptr;
}

std::string Form::Text(const char* sName) const {
  HWND h = Control(sName);
  if (!h) return std::string();
  int n = GetWindowTextLengthA(h);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  GetWindowTextA(h, &s[0], n + 1);
  s.resize(strlen(s.c_str()));
  return s;
}

void Form::SetText(const char* sName, const std::string& sText) {
  if (HWND h = Control(sName)) SetWindowTextA(h, sText.c_str());
}

void Form::SetWideText(const char* sName, const wchar_t* sText) {
  if (HWND h = Control(sName)) SetWindowTextW(h, sText);
}

bool Form::Checked(const char* sName) const {
  HWND h = Control(sName);
  return h && SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form::SetChecked(const char* sName, bool bChecked) {
  HWND h = Control(sName);
  if (!h || Checked(sName) == bChecked) return;
  SendMessageA(h, BM_SETCHECK, bChecked ? BST_CHECKED : BST_UNCHECKED, 0);
  Fire(EventType::Click, IdOf(sName));
}

void Form::Enable(const char* sName, bool bEnabled) {
  if (HWND h = Control(sName)) EnableWindow(h, bEnabled ? TRUE : FALSE);
}

bool Form::Enabled(const char* sName) const {
  HWND h = Control(sName);
  return h && IsWindowEnabled(h);
}

void Form::SetVisible(const char* sName, bool bVisible) {
  if (HWND h = Control(sName)) ShowWindow(h, bVisible ? SW_SHOWNA : SW_HIDE);
}

bool Form::Visible(const char* sName) const {
  HWND h = Control(sName);
  return h && (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE);
}

void Form::BringToFront(const char* sName) {
  if (HWND h = Control(sName)) {
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateRect(h, nullptr, TRUE);
  }
}

void Form::SetFocusTo(const char* sName) {
  if (HWND h = Control(sName)) SetFocus(h);
}

void Form::SetBackColor(const char* sName, COLORREF color) {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (strcmp(controls_[i].name, sName) != 0) continue;
    backColors_[i] = color;
    if (brushes_[i]) DeleteObject(brushes_[i]);
    brushes_[i] = color == kDefaultColor ? nullptr : CreateSolidBrush(color);
    if (hwnds_[i]) InvalidateRect(hwnds_[i], nullptr, TRUE);
  }
}

void Form::SelectAllText(const char* sName) {
  if (HWND h = Control(sName)) SendMessageA(h, EM_SETSEL, 0, -1);
}

void Form::SetFontName(const char* sName, const char* sFontName) {
  for (size_t i = 0; i < controls_.size() && i < hwnds_.size(); ++i) {
    if (strcmp(controls_[i].name, sName) != 0) continue;
    ControlSpec c = controls_[i];
    c.fontName = sFontName;
    HFONT old = fonts_[i];
    // The new font is always the control's own, even where it matches the form's.
    const int size = c.fontSizeHundredths ? c.fontSizeHundredths : spec_.fontSizeHundredths;
    fonts_[i] = CreateFontA(FontHeight(size), 0, 0, 0, c.fontBold ? FW_BOLD : FW_NORMAL, FALSE,
                            FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH, sFontName);
    if (hwnds_[i]) SendMessageA(hwnds_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[i]), TRUE);
    if (old && old != formFont_) DeleteObject(old);
    return;
  }
}

void Form::SetToolTip(const char* sName, const std::string& sText) {
  HWND h = Control(sName);
  if (!h) return;
  if (!toolTip_) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    toolTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!toolTip_) return;
  }
  TOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.hwnd = hwnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(h);
  const bool known = SendMessageA(toolTip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti));
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  // A tracking tip, shown and hidden by the form (TipMouse): the control's
  // own tracking would leave a timer running under some systems.
  ti.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
  ti.hwnd = hwnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(h);
  ti.lpszText = const_cast<char*>(sText.c_str());
  SendMessageA(toolTip_, known ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
               reinterpret_cast<LPARAM>(&ti));
  if (!known) tipped_.push_back(h);
}

void Form::ShowTip(HWND hwndControl, bool bShow) {
  if (!toolTip_) return;
  TOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.hwnd = hwnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(hwndControl);
  if (bShow) {
    POINT pt = {};
    GetCursorPos(&pt);
    // Below the mouse pointer, as the system places its tips.
    const int below = GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
    SendMessageA(toolTip_, TTM_TRACKPOSITION, 0, MAKELPARAM(pt.x, pt.y + below));
  }
  SendMessageA(toolTip_, TTM_TRACKACTIVATE, bShow ? TRUE : FALSE, reinterpret_cast<LPARAM>(&ti));
}

void Form::TipMouse(HWND hwndControl, UINT msg) {
  if (!toolTip_ || std::find(tipped_.begin(), tipped_.end(), hwndControl) == tipped_.end()) return;
  switch (msg) {
    case WM_MOUSEMOVE:
      if (hoverTracked_ != hwndControl) {
        TRACKMOUSEEVENT tme = {sizeof tme, TME_HOVER | TME_LEAVE, hwndControl, HOVER_DEFAULT};
        if (TrackMouseEvent(&tme)) hoverTracked_ = hwndControl;
      }
      break;
    case WM_MOUSEHOVER:
      ShowTip(hwndControl, true);
      break;
    case WM_MOUSELEAVE:
      ShowTip(hwndControl, false);
      if (hoverTracked_ == hwndControl) hoverTracked_ = nullptr;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      ShowTip(hwndControl, false);
      break;
    default:
      break;
  }
}

std::string Form::ToolTip(const char* sName) const {
  HWND h = Control(sName);
  if (!h || !toolTip_) return std::string();
  char text[256] = {};
  TOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.hwnd = hwnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(h);
  ti.lpszText = text;
  SendMessageA(toolTip_, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
  return text;
}

void Form::ShowPopupMenu(HMENU hMenu) {
  if (!hwnd_ || !hMenu) return;
  HWND self = hwnd_;
  POINT pt = {};
  GetCursorPos(&pt);
  // A tip would cover the menu's items.
  for (HWND h : tipped_) ShowTip(h, false);
  // The menu closes on a click elsewhere only while its owner is in front.
  SetForegroundWindow(self);
  TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, self,
                 nullptr);
  PostMessageA(self, WM_NULL, 0, 0);
}

namespace {
bool IsCombo(const ControlSpec* c) { return c && c->kind == Kind::ComboList; }
}  // namespace

void Form::AddItem(const char* sName, const std::string& sItem) {
  if (HWND h = Control(sName)) {
    SendMessageA(h, IsCombo(SpecOf(sName)) ? CB_ADDSTRING : LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(sItem.c_str()));
  }
}

void Form::ClearItems(const char* sName) {
  if (HWND h = Control(sName)) {
    SendMessageA(h, IsCombo(SpecOf(sName)) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  }
}

int Form::ItemCount(const char* sName) const {
  HWND h = Control(sName);
  if (!h) return 0;
  return static_cast<int>(SendMessageA(h, IsCombo(SpecOf(sName)) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

std::string Form::Item(const char* sName, int iIndex) const {
  HWND h = Control(sName);
  if (!h) return std::string();
  bool combo = IsCombo(SpecOf(sName));
  LRESULT n = SendMessageA(h, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, iIndex, 0);
  if (n < 0) return std::string();
  std::string s(static_cast<size_t>(n) + 1, '\0');
  SendMessageA(h, combo ? CB_GETLBTEXT : LB_GETTEXT, iIndex, reinterpret_cast<LPARAM>(&s[0]));
  s.resize(static_cast<size_t>(n));
  return s;
}

int Form::ListIndex(const char* sName) const {
  HWND h = Control(sName);
  if (!h) return -1;
  return static_cast<int>(SendMessageA(h, IsCombo(SpecOf(sName)) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void Form::SetListIndex(const char* sName, int iIndex) {
  HWND h = Control(sName);
  if (!h || ListIndex(sName) == iIndex) return;
  SendMessageA(h, IsCombo(SpecOf(sName)) ? CB_SETCURSEL : LB_SETCURSEL, iIndex, 0);
  Fire(EventType::Click, IdOf(sName));
}

void Form::StartTimer(int iId, UINT uMs) {
  if (hwnd_) SetTimer(hwnd_, static_cast<UINT_PTR>(iId), uMs, nullptr);
}

void Form::StopTimer(int iId) {
  if (hwnd_) KillTimer(hwnd_, static_cast<UINT_PTR>(iId));
}

RECT ControlRectTwips(const Form& form, const char* sName) {
  RECT r = {};
  HWND h = form.Control(sName);
  if (!h) return r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  r.left = Form::PixelsToTwipsX(r.left);
  r.right = Form::PixelsToTwipsX(r.right);
  r.top = Form::PixelsToTwipsY(r.top);
  r.bottom = Form::PixelsToTwipsY(r.bottom);
  return r;
}

}  // namespace zarvo::forms
