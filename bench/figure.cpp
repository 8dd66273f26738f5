#include "figure.h"

namespace orvelin::bench {

void printFigure(const char *name, std::optional<double> value, int decimals) {
  if (value) {
    std::printf("%s %.*f\n", name, decimals, *value);
  } else {
    std::printf("%s n/a\n", name);
  }
}

} // namespace orvelin::bench
