#pragma once
// The files of a drop from a file manager (WM_DROPFILES).

#include "base/windows_api.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace orvelin::win32 {

// The paths of the files dropped, in the order given; the drop is finished with, and freed.
std::vector<std::u16string> takeDroppedFiles(HDROP drop);

} // namespace orvelin::win32
