#include "app/app.h"

#include <vector>

#include "ui/pictures.h"
#include "window/main_window.h"

namespace app {

int Run() {
  // A second copy ends quietly before it has a window.
  if (platform::AnotherInstanceRunning()) return 0;
  platform::SetHandCursor(ui::pictures::HandCursor(), ui::pictures::kHandHotX,
                          ui::pictures::kHandHotY);
  std::vector<platform::Picture> icons;
  for (int size : {16, 32, 48, 256}) icons.push_back(ui::pictures::ProgramIcon(size));
  platform::SetProgramIcon(icons);
  window::MainWindow main_window;
  main_window.StartUp();
  main_window.Show();
  return platform::RunMessageLoop();
}

}  // namespace app
