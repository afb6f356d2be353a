// Entry point of the Linux build.
#include "shell/app.h"

int main() { return tapwright::Run(); }
