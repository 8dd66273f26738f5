#include "ui_stall.h"

#include "app/frmMain_design.h"
#include "base/standard_error_messages.h"
#include "frontends/qt/qt_event_pump.h"
#include "frontends/qt/qt_window.h"
#include "jobs/file_jobs.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace orvelin::bench {
namespace {

using Clock = std::chrono::steady_clock;

class NoEvents final : public WindowEvents {
public:
  void clicked(std::string_view /*control*/) override {}
  void ticked(std::string_view /*timer*/) override {}
  void filesDropped(const std::vector<std::u16string> & /*files*/) override {}
  void closed() override {}
};

} // namespace

std::optional<double> uiStallMilliseconds(const std::filesystem::path &file) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  int argc = 1;
  char name[] = "orvelin_bench";
  char *argv[] = {name, nullptr};
  const QApplication application(argc, argv);
  NoEvents events;
  QtWindow window(frmMainDesign, events);
  window.show();

  Clock::time_point last = Clock::now();
  Clock::duration longest{};
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const Clock::time_point now = Clock::now();
    longest = std::max(longest, now - last);
    last = now;
  });
  ticker.start(10);
  StandardErrorMessages messages;
  const JobRunner run = backgroundJobRunner<QtEventPump>(messages);
  const bool done = run(window, "jobprogress", [&file](MessageSink &jobMessages, const JobProgress &progress) {
    return EncryptFile(file, u"bench password", jobMessages, progress);
  });
  if (!done) {
    throw std::runtime_error("the job under the window failed");
  }
  return std::chrono::duration<double, std::milli>(longest).count();
}

} // namespace orvelin::bench
