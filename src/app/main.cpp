// Entry point of the Linux build.
#include "app/app.h"

int main() { return app::Run(); }
