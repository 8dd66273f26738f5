#pragma once
// windows.h as every Windows part of the program includes it: without the min and max macros, which
// would break std::min and numeric_limits::max, and without the rarely used rest of the headers.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// The file system's own encryption, which the program does not use, would otherwise take the names
// of the program's file jobs.
#undef EncryptFile
#undef DecryptFile
