// tapwright.com, the console's door to tapwright.exe beside it. A command prompt runs a .com
// before an .exe of the same name, and waits for a console program where it would not wait for
// a windowed one: through this door "tapwright --help" prints before the next prompt and the
// exit code reaches %ERRORLEVEL% and $LASTEXITCODE. The program itself writes to this console
// (it attaches to it) or to the files and pipes handed on to it.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

// The command line after the program's own name, spaces included, exactly as it came: the name
// ends at its closing quote or at the first blank, whatever follows.
const wchar_t* ArgumentsOf(const wchar_t* line) {
  if (*line == L'"') {
    ++line;
    while (*line != L'\0' && *line != L'"') ++line;
    if (*line == L'"') ++line;
  } else {
    while (*line != L'\0' && *line != L' ' && *line != L'\t') ++line;
  }
  return line;
}

// The longest command line and path Windows takes, with its NUL.
constexpr DWORD kLongest = 32768;
wchar_t program[kLongest];
wchar_t command_line[kLongest];

// tapwright.exe in the door's own folder, in program; false when there is no room for it.
bool FindProgram() {
  const DWORD n = GetModuleFileNameW(nullptr, program, kLongest);
  if (n == 0 || n >= kLongest) return false;
  wchar_t* dot = nullptr;
  for (wchar_t* c = program; *c != L'\0'; ++c) {
    if (*c == L'\\') dot = nullptr;
    if (*c == L'.') dot = c;
  }
  if (dot == nullptr || dot[1] == L'\0' || dot[2] == L'\0' || dot[3] == L'\0') return false;
  lstrcpyW(dot + 1, L"exe");
  return true;
}

// The program's command line: its quoted path, then the door's arguments as they came.
bool MakeCommandLine() {
  const wchar_t* arguments = ArgumentsOf(GetCommandLineW());
  if (lstrlenW(program) + lstrlenW(arguments) + 3 > static_cast<int>(kLongest)) return false;
  lstrcpyW(command_line, L"\"");
  lstrcatW(command_line, program);
  lstrcatW(command_line, L"\"");
  lstrcatW(command_line, arguments);
  return true;
}

// Ctrl+C and Ctrl+Break are the program's to answer, on the same console; the door stays to
// pass on its exit code. (Ignoring them with a null handler would pass that on to the program.)
BOOL WINAPI LeaveToProgram(DWORD event) {
  return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

// Started on its own (a double click in Explorer), the door has a console nobody asked for.
bool ConsoleMadeForUs() {
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

}  // namespace

int wmain() {
  const bool found = FindProgram() && MakeCommandLine();
  const bool alone = ConsoleMadeForUs();
  if (alone) FreeConsole();
  STARTUPINFOW start{};
  start.cb = sizeof start;
  if (!alone) {
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  }
  PROCESS_INFORMATION started{};
  if (!found || !CreateProcessW(program, command_line, nullptr, nullptr, !alone, 0, nullptr,
                                nullptr, &start, &started)) {
    if (!alone) {
      static const char kSays[] = "tapwright: cannot start tapwright.exe beside tapwright.com\r\n";
      DWORD written = 0;
      WriteFile(GetStdHandle(STD_ERROR_HANDLE), kSays, sizeof kSays - 1, &written, nullptr);
    }
    return 1;
  }
  CloseHandle(started.hThread);
  DWORD code = 0;
  if (!alone) {
    SetConsoleCtrlHandler(LeaveToProgram, TRUE);
    WaitForSingleObject(started.hProcess, INFINITE);
    GetExitCodeProcess(started.hProcess, &code);
  }
  CloseHandle(started.hProcess);
  return static_cast<int>(code);
}
