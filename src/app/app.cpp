#include "app/app.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "model/command_line.h"
#include "model/version.h"
#include "platform/display.h"
#include "platform/loop.h"
#include "platform/process.h"
#include "ui/pictures.h"
#include "window/main_window.h"

namespace app {
namespace {

using model::CommandLine;

// Says on stderr why a file was not loaded or played; nothing for the other outcomes.
void SayWhy(const CommandLine& line, int exit_code, const std::string& why) {
  const char* file = line.file.c_str();
  const bool record = line.action == CommandLine::Action::Record;
  if (exit_code == model::kExitNotLoaded)
    std::fprintf(stderr, "tapwright: cannot %s %s%s%s\n", record ? "save" : "load", file,
                 why.empty() ? "" : ": ", why.c_str());
  if (exit_code == model::kExitNotFound)
    std::fprintf(stderr, "tapwright: stopped playing %s: %s\n", file, why.c_str());
  if (exit_code == model::kExitBusy)
    std::fprintf(stderr, "tapwright: the copy that runs is busy (%s): %s not %s\n", why.c_str(),
                 file,
                 record                                     ? "recorded"
                 : line.action == CommandLine::Action::Play ? "played"
                                                            : "loaded");
}

// An outcome as a later copy hears it: the exit code, then why on a line of its own.
std::string Reply(int exit_code, const std::string& why) {
  return std::to_string(exit_code) + (why.empty() ? "" : "\n" + why);
}

// A played or recorded file, as the command line asks for it; `done` hears the outcome.
void PlayOrRecord(engine::Engine& core, const CommandLine& line, engine::HandedDone done) {
  if (line.action == CommandLine::Action::Record) {
    core.session.RecordFile(line.file, line.keyboard, std::move(done));
  } else {
    core.session.PlayFile(line.file, line.passes, line.speed, line.wait, std::move(done));
  }
}

// A later copy's request, carried out by this one: a file to load, one to play or one to record,
// whose outcome is the answer. A playback stops when its asker gives up; a recording ends and is
// saved.
std::function<void()> Carry(engine::Engine& core, const std::string& message,
                            const platform::CopyAnswer& answer) {
  const CommandLine line = model::ParseMessage(message);
  const auto told = [answer](int exit_code, const std::string& why) {
    answer(Reply(exit_code, why));
  };
  if (line.action == CommandLine::Action::Play || line.action == CommandLine::Action::Record) {
    auto running = std::make_shared<bool>(true);
    PlayOrRecord(core, line, [told, running](int exit_code, const std::string& why) {
      *running = false;
      told(exit_code, why);
    });
    return [&core, running] {
      if (!*running) return;
      core.session.StopPlayFile();
      core.session.StopRecordFile();
    };
  }
  if (line.action == CommandLine::Action::Window && !line.file.empty()) {
    core.session.OpenHandedFile(line.file, told);
  } else {
    told(line.action == CommandLine::Action::Window ? model::kExitPlayed : model::kExitUsage, "");
  }
  return nullptr;
}

// Hands the request to the copy that runs and gives its outcome as this copy's.
int HandOn(CommandLine line) {
  // Alone, a second copy has nothing to do.
  if (line.action == CommandLine::Action::Window && line.file.empty()) return 0;
  // The copy that runs has a folder of its own.
  line.file = platform::AbsolutePath(line.file);
  const std::optional<std::string> answer = platform::SendToRunningCopy(model::MessageOf(line));
  if (!answer || answer->empty()) {
    std::fprintf(stderr, "tapwright: the copy that runs did not answer\n");
    return model::kExitBusy;
  }
  const int exit_code = std::atoi(answer->c_str());
  const size_t newline = answer->find('\n');
  SayWhy(line, exit_code, newline == std::string::npos ? "" : answer->substr(newline + 1));
  return exit_code;
}

}  // namespace

int Run(const std::vector<std::string>& args) {
  platform::TakeEndRequests();
  CommandLine line = model::ParseCommandLine(args);
  switch (line.action) {
    case CommandLine::Action::Help:
      std::fputs(model::UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Action::Version:
      std::fputs(model::VersionNotice().c_str(), stdout);
      return 0;
    case CommandLine::Action::UsageError:
      std::fprintf(stderr, "tapwright: %s\nTry 'tapwright --help'.\n", line.error.c_str());
      return model::kExitUsage;
    case CommandLine::Action::Window:
    case CommandLine::Action::Play:
    case CommandLine::Action::Record:
      break;
  }
  if (platform::AnotherInstanceRunning()) return HandOn(line);

  platform::SetHandCursor(ui::pictures::HandCursor(), ui::pictures::kHandHotX,
                          ui::pictures::kHandHotY);
  std::vector<platform::Picture> icons;
  for (int size : {16, 32, 48, 256}) icons.push_back(ui::pictures::ProgramIcon(size));
  platform::SetProgramIcon(icons);
  engine::Engine core;
  window::MainWindow main_window(core);
  main_window.StartUp();
  main_window.Show();
  if (platform::OnWaylandDesktop()) {
    std::fputs(
        "tapwright: this is a Wayland desktop: through XWayland, only X11 applications can "
        "be recorded and played back\n",
        stderr);
    core.status.Show(engine::StatusLine::Kind::Wayland, "");
  }
  platform::ListenToLaterCopies(
      [&core](const std::string& message, const platform::CopyAnswer& answer) {
        return Carry(core, message, answer);
      });
  if (line.action == CommandLine::Action::Play || line.action == CommandLine::Action::Record) {
    PlayOrRecord(core, line, [&core, line](int exit_code, const std::string& why) {
      SayWhy(line, exit_code, why);
      core.Quit(exit_code);
    });
  } else if (!line.file.empty()) {
    core.session.LoadRecording(line.file);
  }
  return platform::RunMessageLoop();
}

}  // namespace app
