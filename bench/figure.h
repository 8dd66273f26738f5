#pragma once

#include <cstdio>
#include <exception>
#include <optional>

namespace orvelin::bench {

// A figure of the run, or none when the step that measures it fails (a file too large for the jobs,
// say): the reason goes to standard error, the figure's lines say n/a, and the rest of the run goes
// on. A step's own boxes, if it shows any, are on standard error above that line.
template <typename Measure> auto attempt(const char *step, Measure measure) -> std::optional<decltype(measure())> {
  try {
    return measure();
  } catch (const std::exception &failure) {
    (void)std::fprintf(stderr, "orvelin_bench: %s: %s; its figures are n/a\n", step, failure.what());
    return std::nullopt;
  }
}

// One line for scripts: "name value" with that many decimals, or "name n/a".
void printFigure(const char *name, std::optional<double> value, int decimals = 3);

} // namespace orvelin::bench
