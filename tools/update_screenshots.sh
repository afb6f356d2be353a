#!/usr/bin/env bash
# Refreshes the README's pictures: runs the end-to-end tests that open the options panel (Linux
# under Xvfb, Windows under Wine) and copies their screenshots, cropped to the window and reduced to
# a small palette, into docs/. Run it after a change to the window's look; commit what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset test >/dev/null
cmake --build --preset test
shots=build/test/screenshots
rm -f "$shots/x11_options_panel.png" "$shots/win32-options-panel.png"
ctest --test-dir build/test --output-on-failure \
  -R '^(x11_window_behaviour|win32_wine_setup|win32_main_window|win32_wine_cleanup)$'

# The window is 178 x 195 pixels at the top-left corner with the options panel open.
small() { convert "$1" -crop 178x195+0+0 +repage -strip "PNG8:$2"; }
small "$shots/x11_options_panel.png" docs/linux.png
small "$shots/win32-options-panel.png" docs/windows.png
ls -l docs/linux.png docs/windows.png
