// Entry point of the Windows build.
#include "app/app.h"
#include "platform/platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The single-instance mark is taken before any window exists; the program asks for the
  // answer later, at start-up.
  platform::AnotherInstanceRunning();
  return app::Run();
}
