#pragma once
// The cryptographic service: advapi32's CryptoAPI on Windows, the project's stand-in elsewhere.

#ifdef _WIN32
#include "base/windows_api.h"
// windows.h must come first.
#include <wincrypt.h>
#else
#include "standin/wincrypt.h"
#endif
