#include "ui_stall.h"

namespace orvelin::bench {

std::optional<double> uiStallMilliseconds(const std::filesystem::path & /*file*/) { return std::nullopt; }

} // namespace orvelin::bench
