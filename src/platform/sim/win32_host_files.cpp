// The Windows program's own file code, compiled once more under the names that
// win32_host_files.h declares: the simulated desktop's faults then sit in front of the very
// steps the program takes, ReplaceFileW and all. The qualified names only define what the
// header declared, so a signature that drifts from platform.h fails to compile.
#include "platform/sim/win32_host_files.h"

#include "platform/win32/win32.h"

#define GetSaveTarget win32_files::GetSaveTarget
#define CreateFileBeside win32_files::CreateFileBeside
#define OpenFileInPlace win32_files::OpenFileInPlace
#define WriteToFile win32_files::WriteToFile
#define SetFileLength win32_files::SetFileLength
#define SyncFile win32_files::SyncFile
#define CloseFile win32_files::CloseFile
#define MoveOverTarget win32_files::MoveOverTarget
#define SyncTargetFolder win32_files::SyncTargetFolder
#define RemoveFile win32_files::RemoveFile
#define OpenRegularFile win32_files::OpenRegularFile
#define ReadFromFile win32_files::ReadFromFile

#include "platform/win32/files.cpp"
