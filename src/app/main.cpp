// Entry point of the Linux build.
#include <string>
#include <vector>

#include "app/app.h"

int main(int argc, char** argv) {
  return app::Run(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
