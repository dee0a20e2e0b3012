#include "process.h"

#include <windows.h>

namespace zarvo {

namespace {
EndProcessHook g_endHook = nullptr;
MessageHook g_messageHook = nullptr;
}  // namespace

void SetEndProcessHook(EndProcessHook pHook) { g_endHook = pHook; }
void SetMessageHook(MessageHook pHook) { g_messageHook = pHook; }

void EndProcess() {
  if (g_endHook) g_endHook();
  ExitProcess(0);
}

int ShowMessage(const std::string& sText, const std::string& sTitle,
                unsigned uStyle) {
  if (g_messageHook) return g_messageHook(sText, sTitle, uStyle);
  // The box belongs to the window the user is working in, so that window
  // waits for the answer (a second OK cannot stack a second box) and gets
  // the keyboard back afterwards. With no window of ours active, the box
  // stands alone.
  return MessageBoxA(GetActiveWindow(), sText.c_str(), sTitle.c_str(),
                     uStyle | MB_SETFOREGROUND);
}

std::string ProgramDirectory() {
  char path[MAX_PATH * 4] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s(path, n < sizeof path ? n : 0);
  size_t slash = s.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : s.substr(0, slash);
}

bool FileExists(const std::string& sPath) {
  if (sPath.empty()) return false;
  DWORD attrs = GetFileAttributesA(sPath.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace zarvo
