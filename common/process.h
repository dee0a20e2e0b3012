// The one way out of a program and the one way it speaks to the user, so
// that tests inside the process can stand in for both.
#pragma once
#include <string>

namespace zarvo {

// Ends the whole process at once. Nothing is cleaned up and no exit code
// carries meaning.
[[noreturn]] void EndProcess();

// A message box without owner window; returns the button pressed.
int ShowMessage(const std::string& sText, const std::string& sTitle,
                unsigned uStyle);

// Tests replace the two above. An end-of-process hook must not return
// (throwing unwinds back into the test); when it does, the process ends.
using EndProcessHook = void (*)();
using MessageHook = int (*)(const std::string& sText, const std::string& sTitle,
                            unsigned uStyle);
void SetEndProcessHook(EndProcessHook pHook);
void SetMessageHook(MessageHook pHook);

// The folder of the running executable, without a trailing backslash.
std::string ProgramDirectory();

// Whether a file (not a folder) exists at sPath.
bool FileExists(const std::string& sPath);

}  // namespace zarvo
