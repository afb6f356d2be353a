// The desktop's own file chooser for the open and save dialogs: zenity (GTK), else kdialog (KDE),
// each run as a program of its own from an argument vector, never through a shell. While it is
// open the loop keeps running (timers tick, windows repaint) and the owner takes no input.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "platform/x11/file_dialog_logic.h"
#include "platform/x11/x11.h"

extern char** environ;

namespace platform::x11 {
namespace {

namespace fd = file_dialog;

// The program's full path when it is on PATH, else "".
std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    const size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::string dir = dirs.substr(start, end - start);
    const std::string full = (dir.empty() ? "." : dir) + "/" + name;
    if (access(full.c_str(), X_OK) == 0) return full;
    start = end + 1;
  }
  return "";
}

std::vector<std::string> ZenityArguments(const FileRequest& request, const std::string& start,
                                         const std::vector<std::string>& patterns, Window owner) {
  std::vector<std::string> args{"zenity", "--file-selection"};
  // A save asks before it replaces a file; KDE's dialog asks by itself.
  if (request.save) args.insert(args.end(), {"--save", "--confirm-overwrite"});
  if (!request.title.empty()) args.push_back("--title=" + request.title);
  args.push_back("--filename=" + start);
  if (!patterns.empty()) {
    std::string filter = "--file-filter=" + request.filter_name + " |";
    for (const std::string& p : patterns) filter += " " + p;
    args.push_back(filter);
  }
  if (owner != 0) args.push_back("--attach=" + std::to_string(owner));
  return args;
}

std::vector<std::string> KdialogArguments(const FileRequest& request, const std::string& start,
                                          const std::vector<std::string>& patterns, Window owner) {
  std::vector<std::string> args{"kdialog", request.save ? "--getsavefilename" : "--getopenfilename",
                                start};
  if (!patterns.empty()) {
    std::string filter;
    for (const std::string& p : patterns) filter += (filter.empty() ? "" : " ") + p;
    args.push_back(filter + "|" + request.filter_name);
  }
  if (!request.title.empty()) args.insert(args.end(), {"--title", request.title});
  if (owner != 0) args.insert(args.end(), {"--attach", std::to_string(owner)});
  return args;
}

// The chooser's own question: may the save replace the file at path?
std::vector<std::string> ReplaceQuestion(bool zenity, const FileRequest& request,
                                         const std::string& path, Window owner) {
  const std::string text = fd::NamePart(path) + LocalWords().replace;
  std::vector<std::string> args;
  if (zenity) {
    args = {"zenity", "--question", "--no-markup", "--text=" + text};
    if (!request.title.empty()) args.push_back("--title=" + request.title);
    if (owner != 0) args.push_back("--attach=" + std::to_string(owner));
  } else {
    args = {"kdialog", "--warningyesno", text};
    if (!request.title.empty()) args.insert(args.end(), {"--title", request.title});
    if (owner != 0) args.insert(args.end(), {"--attach", std::to_string(owner)});
  }
  return args;
}

// Runs the program with its output in a pipe, keeping the loop going until it ends. True when it
// ran and ended with status 0; `out` gets what it printed.
bool RunAndRead(const std::string& program, const std::vector<std::string>& args,
                std::string& out) {
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attrs;
  posix_spawnattr_init(&attrs);
  // The loop blocks the end signals to read them itself; the chooser must not inherit that.
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attrs, &none);
  posix_spawnattr_setflags(&attrs, POSIX_SPAWN_SETSIGMASK);
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, &attrs, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attrs);
  close(pipe_fds[1]);
  if (spawned != 0) {
    close(pipe_fds[0]);
    return false;
  }
  State().chooser = pid;
  SetExtraWakeFd(pipe_fds[0]);
  for (;;) {
    char buf[4096];
    const ssize_t n = read(pipe_fds[0], buf, sizeof buf);
    if (n > 0) {
      out.append(buf, static_cast<size_t>(n));
      continue;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) break;
    LoopOnce(true);
  }
  SetExtraWakeFd(-1);
  close(pipe_fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  State().chooser = 0;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::optional<std::string> RunDesktopChooser(const FileRequest& request) {
  std::string program = FindProgram("zenity");
  const bool zenity = !program.empty();
  if (!zenity) program = FindProgram("kdialog");
  if (program.empty()) return std::nullopt;

  // A folder with its trailing slash opens in it.
  std::string start = fd::JoinPath(StartFolder(request), "");
  const std::vector<std::string> patterns = fd::SplitPatterns(request.filter_pattern);
  auto owner = FindWindow(request.owner);
  const Window attach = owner ? owner->xid : 0;
  if (owner) ++owner->input_blocked;
  std::string out;
  for (;;) {
    out.clear();
    const bool chosen = RunAndRead(program,
                                   zenity ? ZenityArguments(request, start, patterns, attach)
                                          : KdialogArguments(request, start, patterns, attach),
                                   out);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    // One file only: a chooser that answers with more than one line answered nothing usable.
    if (!chosen || out.empty() || out.find('\n') != std::string::npos) {
      out.clear();
      break;
    }
    const std::string replaced = fd::ReplacedUnasked(out, request);
    std::string yes;
    if (replaced.empty() ||
        RunAndRead(program, ReplaceQuestion(zenity, request, replaced, attach), yes))
      break;
    start = out;  // No: the chooser again, at the name given
  }
  if (owner) --owner->input_blocked;
  return out;
}

}  // namespace platform::x11
