#include "shell/app.h"

#include "shell/form1.h"
#include "ui/pictures.h"

namespace tapwright {

int Run() {
  // A second copy ends quietly before it has a window.
  if (platform::AnotherInstanceRunning()) return 0;
  platform::SetHandCursor(ui::pictures::HandCursor(), ui::pictures::kHandHotX,
                          ui::pictures::kHandHotY);
  std::vector<platform::Picture> icons;
  for (int size : {16, 32, 48, 256}) icons.push_back(ui::pictures::ProgramIcon(size));
  platform::SetProgramIcon(icons);
  Form1 form;
  form.Form_Load();
  form.Show();
  return platform::RunMessageLoop();
}

}  // namespace tapwright
