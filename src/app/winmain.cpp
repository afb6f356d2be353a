// Entry point of the Windows build.
#include <cstdio>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/process.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace {

std::string Utf8(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

// The arguments after the program's name, as Windows splits its one command line.
std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (argv == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(Utf8(argv[i]));
  LocalFree(argv);
  return args;
}

// True when the stream was handed a file or a pipe (a redirection, a script reading it). A
// windowed program started from a console is handed no usable console handle: it may hold none,
// a stale number or a handle of a console it is not attached to, none of them a file or a pipe.
bool Redirected(DWORD stream) {
  const DWORD type = GetFileType(GetStdHandle(stream));
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

// A windowed program has no console of its own: it takes the one it was started from, to print
// there what is not redirected and to hear Ctrl+C there.
void AttachParentConsole() {
  const bool out_redirected = Redirected(STD_OUTPUT_HANDLE);
  const bool err_redirected = Redirected(STD_ERROR_HANDLE);
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!out_redirected) (void)std::freopen("CONOUT$", "w", stdout);
  if (!err_redirected) (void)std::freopen("CONOUT$", "w", stderr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The single-instance mark is taken before any window exists; the program asks for the
  // answer later, at start-up.
  platform::AnotherInstanceRunning();
  AttachParentConsole();
  return app::Run(Arguments());
}
