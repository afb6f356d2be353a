// Entry point of the Linux build.
#include "ui/app.h"

int main() { return tapwright::Run(); }
