// The baseline of the launch benchmark: a program that does nothing but the
// shell start Marlock makes for the same link. The parameter text is its own
// argument text; the file and the working directory come from the
// environment (BARE_FILE, BARE_DIR), so that reading them costs next to
// nothing.
#include <windows.h>
#include <shellapi.h>

namespace {

const char* ArgumentText(const char* p) {
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p) ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  // One blank separates the program from its arguments; the arguments keep
  // their own leading blanks.
  if (*p == ' ') ++p;
  return p;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char file[MAX_PATH * 2] = {}, dir[MAX_PATH * 2] = {};
  GetEnvironmentVariableA("BARE_FILE", file, sizeof file);
  GetEnvironmentVariableA("BARE_DIR", dir, sizeof dir);
  ShellExecuteA(nullptr, "OPEN", file, ArgumentText(GetCommandLineA()), dir, SW_HIDE);
  ExitProcess(0);
}
