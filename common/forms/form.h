// Forms from tables.
//
// A form declares its controls as a table (name, kind, caption, place in
// twips, style) and gets its events through handlers named after the control
// and the event (cmdOK_Click, txtPort_KeyPress, Form_Load). The runtime
// creates the windows scaled to the screen (pixels = twips x DPI / 1440), with
// the form's font, and routes each event to its handler.
//
//   class frmExample : public zarvo::forms::FormOf<frmExample> {
//     static const ControlSpec kControls[];
//     static const Handler kHandlers[];
//     void cmdOK_Click(Event&);
//   };
//
// Shown modally with no owner, a form disables the other top-level windows of
// its thread while it runs and enables them again when it closes. Enter
// presses the default button and Esc the cancel button.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace zarvo::forms {

enum class Kind {
  Label,      // static text; clicks and mouse buttons reach the form
  Button,     // push button
  CheckBox,   // two-state check box
  OptionBox,  // radio button
  TextBox,    // single-line edit
  ComboList,  // drop-down list, no typing
  ListBox,    // plain list
  Frame,      // a captioned group that holds controls of its own
  Picture,    // an owner-drawn area (the form paints it in Picture_Paint)
};

// Control flags.
enum : unsigned {
  kDefault = 1u << 0,    // pressed by Enter
  kCancel = 1u << 1,     // pressed by Esc
  kReadOnly = 1u << 2,   // text box the user cannot type into
  kPassword = 1u << 3,   // text box that shows "*" for every character
  kHidden = 1u << 4,     // created invisible
  kDisabled = 1u << 5,   // created disabled
  kCentered = 1u << 6,   // label text centred
  kWideText = 1u << 7,   // caption holds characters outside the code page (UTF-8 in the table)
  kNoTabStop = 1u << 8,
  kSorted = 1u << 9,     // list kept sorted by the control
};

inline constexpr COLORREF kDefaultColor = CLR_INVALID;

struct ControlSpec {
  const char* name;     // "cmdOK"
  int id;               // control ID, unique in the form
  Kind kind;
  const char* caption;  // text, or nullptr
  int left, top, width, height;  // twips, relative to the container
  const char* container = nullptr;  // name of the frame that holds it; nullptr: the form
  unsigned flags = 0;
  COLORREF backColor = kDefaultColor;
  COLORREF foreColor = kDefaultColor;
  const char* fontName = nullptr;  // nullptr: the form's font
  int fontSizeHundredths = 0;      // 0: the form's size; 825 = 8.25 points
  bool fontBold = false;
};

struct FormSpec {
  const char* caption;
  int clientWidth, clientHeight;  // twips
  const char* fontName;           // "Tahoma"
  int fontSizeHundredths;         // 825 = 8.25 points
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_DLGMODALFRAME;
  bool centered = true;  // placed in the middle of the screen's work area
  COLORREF backColor = kDefaultColor;
};

enum class EventType {
  Load,       // Form_Load
  Unload,     // Form_Unload: the user closed the form (close box, system menu, Alt+F4)
  Click,      // buttons, check and option boxes, labels; selection change of lists
  DblClick,   // lists
  Change,     // text boxes
  KeyPress,   // a typed character; set keyAscii to 0 to drop it
  KeyDown,    // a key pressed on a control
  GotFocus,
  LostFocus,  // runs after the focus has moved on
  MouseDown,  // button: 1 left, 2 right, 4 middle; x, y in pixels of the control
  Timer,      // id: the timer's number
  Menu,       // id: the menu item's command
  Paint,      // Picture controls: hdc and rect are set
};

struct Event {
  EventType type;
  int id = 0;          // the control (or timer, or menu item)
  int keyAscii = 0;    // KeyPress; KeyDown: the virtual-key code
  int button = 0;      // MouseDown
  int x = 0, y = 0;    // MouseDown
  HDC hdc = nullptr;   // Paint
  RECT rect = {};      // Paint
  bool cancel = false; // Unload: set to keep the form open
};

class Form {
 public:
  Form(const FormSpec& layout, const ControlSpec* controls, size_t count);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and its controls (hidden) and runs Form_Load.
  // Creating an already created form does nothing.
  void Load();
  // Loads if needed, shows the form and runs it until it is unloaded.
  void ShowModal();
  // Loads if needed and shows the form; the caller's message loop runs it.
  void Show();
  // Destroys the window; a modal run ends.
  void Unload();
  bool Loaded() const { return hwnd_ != nullptr; }

  // The window state: 0 normal, 1 minimised, 2 maximised. Set on a form that
  // is not shown yet, it takes effect when the form is shown.
  int WindowState() const;
  void SetWindowState(int iState);

  HWND Hwnd() const { return hwnd_; }
  HWND Control(const char* sName) const;
  HWND ControlById(int iId) const;
  const ControlSpec* SpecOf(const char* sName) const;
  const std::vector<ControlSpec>& Controls() const { return controls_; }
  const FormSpec& Layout() const { return spec_; }

  // Control state, by name.
  std::string Text(const char* sName) const;
  void SetText(const char* sName, const std::string& sText);
  void SetWideText(const char* sName, const wchar_t* sText);
  bool Checked(const char* sName) const;
  // Like a click: a change of state runs the control's Click handler.
  void SetChecked(const char* sName, bool bChecked);
  void Enable(const char* sName, bool bEnabled);
  bool Enabled(const char* sName) const;
  void SetVisible(const char* sName, bool bVisible);
  bool Visible(const char* sName) const;
  void BringToFront(const char* sName);
  void SetFocusTo(const char* sName);
  void SetBackColor(const char* sName, COLORREF color);  // kDefaultColor: the system's
  void SelectAllText(const char* sName);
  // Replaces the name of a control's font; its size and weight stay.
  void SetFontName(const char* sName, const char* sFontName);
  // The tip shown while the mouse rests on a control (also when the form is
  // not active), until the mouse leaves it or a button is pressed. The form
  // shows and hides it itself, so no timer runs once the mouse has gone.
  void SetToolTip(const char* sName, const std::string& sText);
  std::string ToolTip(const char* sName) const;
  HWND ToolTipWindow() const { return toolTip_; }

  // A pop-up menu at the mouse position; the chosen item arrives as a Menu
  // event with the item's command id. The caller owns the menu.
  void ShowPopupMenu(HMENU hMenu);

  // Lists and drop-down lists.
  void AddItem(const char* sName, const std::string& sItem);
  void ClearItems(const char* sName);
  int ItemCount(const char* sName) const;
  std::string Item(const char* sName, int iIndex) const;
  int ListIndex(const char* sName) const;
  // Like a user's selection: a change runs the control's Click handler.
  void SetListIndex(const char* sName, int iIndex);

  // Timers deliver EventType::Timer with the timer's id.
  void StartTimer(int iId, UINT uMs);
  void StopTimer(int iId);

  // Runs the thread's messages, with Enter, Esc and Tab for each form, until
  // no form is left (for programs whose forms are not modal).
  static void RunMessageLoop();
  static int LiveForms();

  // Twips and pixels on this screen.
  static int TwipsToPixelsX(int iTwips);
  static int TwipsToPixelsY(int iTwips);
  static int PixelsToTwipsX(int iPixels);
  static int PixelsToTwipsY(int iPixels);

 protected:
  virtual void OnEvent(Event& e) = 0;
  // Messages the table does not cover; return true when handled.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

 private:
  static void RegisterClasses();
  static LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void CreateControls();
  HWND CreateControl(const ControlSpec& c, HWND hwndParent);
  HFONT FontFor(const ControlSpec& c);
  void Fire(EventType type, int iId);
  void OnCommand(int iId, int iCode, HWND hwndControl);
  bool PreTranslate(MSG& msg);
  HWND AccessKeyTarget(unsigned char key) const;
  int IdOf(const char* sName) const;
  const ControlSpec* SpecOfId(int iId) const;

  FormSpec spec_;
  std::vector<ControlSpec> controls_;
  std::vector<HWND> hwnds_;  // parallel to controls_
  std::vector<COLORREF> backColors_;
  std::vector<HBRUSH> brushes_;
  std::vector<HFONT> fonts_;
  HFONT formFont_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND toolTip_ = nullptr;
  std::vector<HWND> tipped_;   // controls that have a tip
  HWND hoverTracked_ = nullptr;  // the control whose hover and leave are tracked
  void TipMouse(HWND hwndControl, UINT msg);
  void ShowTip(HWND hwndControl, bool bShow);
  HWND lastFocus_ = nullptr;
  bool modalDone_ = false;
  bool loading_ = false;
  int showState_ = 0;
};

// The handler table of a form class F.
template <class F>
struct HandlerOf {
  const char* control;  // "cmdOK"; "Form" for Load and Unload; nullptr for timers and menus by id
  EventType type;
  void (F::*fn)(Event&);
  int id = 0;  // for timers and menu items
};

template <class F>
class FormOf : public Form {
 public:
  using Handler = HandlerOf<F>;
  FormOf(const FormSpec& layout, const ControlSpec* controls, size_t count,
         const Handler* handlers, size_t handlerCount)
      : Form(layout, controls, count), handlers_(handlers), handlerCount_(handlerCount) {}

 protected:
  void OnEvent(Event& e) override {
    for (size_t i = 0; i < handlerCount_; ++i) {
      const Handler& h = handlers_[i];
      if (h.type != e.type) continue;
      if (!Matches(h, e)) continue;
      (static_cast<F*>(this)->*h.fn)(e);
      return;
    }
  }

 private:
  bool Matches(const Handler& h, const Event& e) const {
    if (e.type == EventType::Load || e.type == EventType::Unload) return true;
    if (e.type == EventType::Timer || e.type == EventType::Menu) return h.id == e.id;
    const ControlSpec* c = SpecOf(h.control);
    return c && c->id == e.id;
  }
  const Handler* handlers_;
  size_t handlerCount_;
};

// Reading a created form against its table: the place of each control in
// twips as created (rounded through pixels), for layout tests.
RECT ControlRectTwips(const Form& form, const char* sName);

}  // namespace zarvo::forms
