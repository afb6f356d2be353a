#include "app/app.h"

#include <cstdio>
#include <string>
#include <vector>

#include "model/command_line.h"
#include "ui/pictures.h"
#include "window/main_window.h"

namespace app {
namespace {

using model::CommandLine;

void SayNotLoaded(const std::string& file) {
  std::fprintf(stderr, "tapwright: cannot load %s\n", file.c_str());
}

// A later copy's request, carried out by this one: a file to load, or one to play, whose outcome
// is the answer.
void Carry(engine::Session& session, const std::string& message,
           const std::function<void(const std::string&)>& answer) {
  const CommandLine line = model::ParseMessage(message);
  if (line.action == CommandLine::Action::Play) {
    session.PlayFile(line.file, line.passes, line.speed_step,
                     [answer](int exit_code) { answer(std::to_string(exit_code)); });
    return;
  }
  if (line.action == CommandLine::Action::Window && !line.file.empty())
    session.LoadRecording(line.file);
  answer(std::to_string(line.action == CommandLine::Action::Window ? model::kExitPlayed
                                                                   : model::kExitUsage));
}

// Hands the request to the copy that runs and gives its outcome as this copy's.
int HandOn(const CommandLine& line) {
  // Alone, a second copy has nothing to do.
  if (line.action == CommandLine::Action::Window && line.file.empty()) return 0;
  const std::optional<std::string> answer = platform::SendToRunningCopy(model::MessageOf(line));
  if (!answer || answer->empty()) {
    std::fprintf(stderr, "tapwright: the copy that runs did not answer\n");
    return model::kExitNotLoaded;
  }
  const int exit_code = std::atoi(answer->c_str());
  if (exit_code == model::kExitNotLoaded) SayNotLoaded(line.file);
  return exit_code;
}

}  // namespace

int Run(const std::vector<std::string>& args) {
  CommandLine line = model::ParseCommandLine(args);
  switch (line.action) {
    case CommandLine::Action::Help:
      std::fputs(model::UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Action::Version: {
      const platform::Version v = platform::AppVersion();
      std::printf("tapwright %d.%d.%d\n", v.major, v.minor, v.revision);
      return 0;
    }
    case CommandLine::Action::UsageError:
      std::fprintf(stderr, "tapwright: %s\nTry 'tapwright --help'.\n", line.error.c_str());
      return model::kExitUsage;
    case CommandLine::Action::Window:
    case CommandLine::Action::Play:
      break;
  }
  line.file = platform::AbsolutePath(line.file);
  if (platform::AnotherInstanceRunning()) return HandOn(line);

  platform::SetHandCursor(ui::pictures::HandCursor(), ui::pictures::kHandHotX,
                          ui::pictures::kHandHotY);
  std::vector<platform::Picture> icons;
  for (int size : {16, 32, 48, 256}) icons.push_back(ui::pictures::ProgramIcon(size));
  platform::SetProgramIcon(icons);
  window::MainWindow main_window;
  main_window.StartUp();
  main_window.Show();
  engine::Session& session = main_window.GetSession();
  platform::ListenToLaterCopies([&session](const std::string& message,
                                           const std::function<void(const std::string&)>& answer) {
    Carry(session, message, answer);
  });
  if (line.action == CommandLine::Action::Play) {
    session.PlayFile(line.file, line.passes, line.speed_step, [&session, line](int exit_code) {
      if (exit_code == model::kExitNotLoaded) SayNotLoaded(line.file);
      session.Quit(exit_code);
    });
  } else if (!line.file.empty()) {
    session.LoadRecording(line.file);
  }
  return platform::RunMessageLoop();
}

}  // namespace app
