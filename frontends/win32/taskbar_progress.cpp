#include "frontends/win32/taskbar_progress.h"

namespace orvelin::win32 {
namespace {

constexpr ULONGLONG steps = 1000;

} // namespace

TaskbarProgress::~TaskbarProgress() {
  if (taskbar_ != nullptr) {
    taskbar_->Release();
  }
  if (comStarted_) {
    CoUninitialize();
  }
}

void TaskbarProgress::show(HWND window, bool shown) {
  if (shown && taskbar_ == nullptr) {
    // The button's progress belongs to the window's own thread.
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    void *made = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3, &made))) {
      taskbar_ = static_cast<ITaskbarList3 *>(made);
      if (FAILED(taskbar_->HrInit())) {
        taskbar_->Release();
        taskbar_ = nullptr;
      }
    }
  }
  if (taskbar_ != nullptr) {
    taskbar_->SetProgressState(window, shown ? TBPF_NORMAL : TBPF_NOPROGRESS);
  }
}

void TaskbarProgress::set(HWND window, double fraction) {
  if (taskbar_ != nullptr) {
    taskbar_->SetProgressValue(window, static_cast<ULONGLONG>(fraction * steps), steps);
  }
}

} // namespace orvelin::win32
