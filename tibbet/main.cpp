#include <windows.h>

#include "plugin_core.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { tibbet::RunTibbet(GetCommandLineA()); }
