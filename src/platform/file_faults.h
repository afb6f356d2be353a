// Faults the simulated desktop lays on the real file steps, as a full or failing disk would
// cause them, so that tests see each failure where the core meets it. Only the simulated
// desktop's build defines TAPWRIGHT_FILE_FAULTS; elsewhere every check is a constant false.
#pragma once

namespace platform::faults {

enum class FileStep { CreateBeside, OpenInPlace, Write, Sync, Close, Replace, SyncFolder };

#ifdef TAPWRIGHT_FILE_FAULTS
bool Fails(FileStep step);
bool DenyWriting();  // save targets are reported as files the user may not write to
#else
constexpr bool Fails(FileStep) { return false; }
constexpr bool DenyWriting() { return false; }
#endif

}  // namespace platform::faults
