#include <windows.h>

#include "launcher/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  marlock::RunStartup(GetCommandLineA());
}
