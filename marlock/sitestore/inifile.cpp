#include "sitestore/inifile.h"

#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace marlock {

using zarvo::forms::Form;

namespace {

constexpr DWORD kValueBuffer = 255;
constexpr DWORD kListBuffer = 8192;

// A profile read through a zeroed buffer of the given size; the result is
// the first n characters, n being what the reader returns.
std::string ReadProfile(const char* sSection, const char* sKey, const std::string& sDefault,
                        DWORD dwSize, const std::string& sPath) {
  std::vector<char> buffer(dwSize, '\0');
  DWORD n = GetPrivateProfileStringA(sSection, sKey, sDefault.c_str(), buffer.data(), dwSize,
                                     sPath.c_str());
  return std::string(buffer.data(), std::min<DWORD>(n, dwSize));
}

// Splits a list of names, each followed by a NUL; what follows the last NUL
// is not a name.
std::vector<std::string> SplitNames(const std::string& sList, bool bKeepEmpty) {
  std::vector<std::string> names;
  size_t start = 0;
  for (size_t nul = sList.find('\0'); nul != std::string::npos; nul = sList.find('\0', start)) {
    std::string name = sList.substr(start, nul - start);
    if (bKeepEmpty || !name.empty()) names.push_back(name);
    start = nul + 1;
  }
  return names;
}

// A window's place and size in twips, as the form's Left, Top, Width and Height.
struct Placement {
  int32_t left, top, width, height;
};

Placement PlacementOf(const Form& form) {
  RECT r;
  if (!form.Loaded() || !GetWindowRect(form.Hwnd(), &r)) {
    throw std::runtime_error("the form has no window");
  }
  return {Form::PixelsToTwipsX(r.left), Form::PixelsToTwipsY(r.top),
          Form::PixelsToTwipsX(r.right - r.left), Form::PixelsToTwipsY(r.bottom - r.top)};
}

int32_t Round(double d) { return static_cast<int32_t>(std::nearbyint(d)); }

}  // namespace

std::string cInifile::Value() const {
  return ReadProfile(section_.c_str(), key_.c_str(), default_, kValueBuffer, path_);
}

void cInifile::Value(std::string& sValue) {
  sValue.erase(std::remove(sValue.begin(), sValue.end(), '\0'), sValue.end());
  lastReturnCode_ = WritePrivateProfileStringA(section_.c_str(), key_.c_str(), sValue.c_str(),
                                               path_.c_str());
}

void cInifile::Value(const std::string& sValue) {
  std::string copy = sValue;
  Value(copy);
}

void cInifile::DeleteKey() {
  lastReturnCode_ =
      WritePrivateProfileStringA(section_.c_str(), key_.c_str(), nullptr, path_.c_str());
}

void cInifile::DeleteSection() {
  lastReturnCode_ = WritePrivateProfileStringA(section_.c_str(), nullptr, nullptr, path_.c_str());
}

std::string cInifile::INISection() const {
  return ReadProfile(section_.c_str(), nullptr, default_, kListBuffer, path_);
}

void cInifile::INISection(const std::string& sSection) {
  lastReturnCode_ =
      WritePrivateProfileStringA(section_.c_str(), nullptr, sSection.c_str(), path_.c_str());
}

std::string cInifile::Sections() const {
  return ReadProfile(nullptr, nullptr, default_, kListBuffer, path_);
}

void cInifile::EnumerateCurrentSection(std::vector<std::string>& sKey, int32_t& iCount) const {
  sKey.clear();
  iCount = 0;
  sKey = SplitNames(INISection(), true);
  iCount = static_cast<int32_t>(sKey.size());
}

void cInifile::EnumerateAllSections(std::vector<std::string>& sSections, int32_t& iCount) const {
  sSections.clear();
  iCount = 0;
  sSections = SplitNames(Sections(), false);
  iCount = static_cast<int32_t>(sSections.size());
}

void cInifile::SaveFormPosition(Form& frmThis) {
  const std::string sKey = key_;
  try {
    const int iState = frmThis.WindowState();
    if (iState != 1) {
      Key("Maximised");
      Value(iState == 2 ? "1" : "0");
      if (iState != 2) {
        const Placement p = PlacementOf(frmThis);
        const std::pair<const char*, int32_t> values[] = {
            {"Left", p.left}, {"Top", p.top}, {"Width", p.width}, {"Height", p.height}};
        for (const auto& v : values) {
          Key(v.first);
          Value(std::to_string(v.second));
        }
      }
    }
  } catch (...) {
    lastReturnCode_ = 0;
  }
  key_ = sKey;
}

void cInifile::LoadFormPosition(Form& frmThis, int32_t lMinWidth, int32_t lMinHeight) {
  const std::string sKey = key_;
  const std::string sDefault = default_;
  // A missing key reads as text that CLngDefault cannot convert, so the
  // window's own value stays.
  default_ = "FAIL";
  try {
    const Placement now = PlacementOf(frmThis);
    Key("Left");
    int32_t left = CLngDefault(Value(), now.left);
    Key("Top");
    int32_t top = CLngDefault(Value(), now.top);
    Key("Width");
    int32_t width = CLngDefault(Value(), now.width);
    if (width < lMinWidth) width = lMinWidth;
    Key("Height");
    int32_t height = CLngDefault(Value(), now.height);
    if (height < lMinHeight) height = lMinHeight;

    // Keep the window on the screen, 4 pixels from its edges.
    const double mx = 4.0 * Form::PixelsToTwipsX(1);
    const double my = 4.0 * Form::PixelsToTwipsY(1);
    const double screenWidth = Form::PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN));
    const double screenHeight = Form::PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN));
    if (mx > left) left = Round(mx);
    if (my > top) top = Round(my);
    if (left + static_cast<double>(width) > screenWidth - mx) {
      left = Round(screenWidth - mx - width);
      if (mx > left) left = Round(mx);
      if (left + static_cast<double>(width) > screenWidth - mx) {
        width = Round(screenWidth - left - mx);
      }
    }
    if (top + static_cast<double>(height) > screenHeight - my) {
      top = Round(screenHeight - my - height);
      if (my > top) top = Round(my);
      if (top + static_cast<double>(height) > screenHeight - my) {
        height = Round(screenHeight - top - my);
      }
    }

    if (width >= lMinWidth && height >= lMinHeight) {
      MoveWindow(frmThis.Hwnd(), Form::TwipsToPixelsX(left), Form::TwipsToPixelsY(top),
                 Form::TwipsToPixelsX(width), Form::TwipsToPixelsY(height), TRUE);
    }
    Key("Maximised");
    if (CLngDefault(Value(), 0) != 0) frmThis.SetWindowState(2);
  } catch (...) {
    lastReturnCode_ = 0;
  }
  key_ = sKey;
  default_ = sDefault;
}

int32_t cInifile::CLngDefault(const std::string& sString, int32_t lDefault) {
  int n = MultiByteToWideChar(CP_ACP, 0, sString.c_str(), static_cast<int>(sString.size()),
                              nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_ACP, 0, sString.c_str(), static_cast<int>(sString.size()), &wide[0], n);
  }
  LONG value = 0;
  if (FAILED(VarI4FromStr(&wide[0], LOCALE_USER_DEFAULT, 0, &value))) return lDefault;
  return static_cast<int32_t>(value);
}

}  // namespace marlock
