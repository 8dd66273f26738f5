#pragma once
// The cryptographic service: advapi32's CryptoAPI on Windows, the project's stand-in elsewhere.

#ifdef _WIN32
// Keeps windows.h from defining min and max as macros (std::min, numeric_limits::max) and from
// pulling in the rest of the Windows headers.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h must come first.
#include <wincrypt.h>
#else
#include "standin/wincrypt.h"
#endif
