// Saving and loading recordings.
#include "ui/form1.h"

namespace tapwright {

// F5 and F6 reach these; the file format and its dialogs are built next.
void Form1::LoadRecording(const std::string& /*name*/) {}
void Form1::SaveRecording() {}

}  // namespace tapwright
