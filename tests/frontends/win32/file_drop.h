#pragma once
// Files dropped on a window as a file manager hands them over.

#include "base/windows_api.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace orvelin::win32 {

// What WM_DROPFILES carries for paths, in wide characters; whoever takes the message frees it.
HDROP fileDrop(const std::vector<std::u16string> &paths);

} // namespace orvelin::win32
