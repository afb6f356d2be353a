// The desktop in the program's own terms, one header per concern. Each backend (win32, x11, sim)
// defines every function they declare; the executable links exactly one of them.
#pragma once

#include "platform/display.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/process.h"
