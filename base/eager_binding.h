#pragma once

namespace orvelin {

// Starts the program again, at once, with every shared library's functions bound as it is loaded,
// unless that is how it runs already (or it cannot be started again: it then goes on as it is).
// Bound lazily, a function's first call saves all the vector registers on the calling thread's
// stack, where a copy the registers just made of a password would then outlive the job (a thread
// started after that copy inherits the registers too). Called first thing in main, with main's argv.
// Started again, the program keeps its name and argv, and what it starts does not inherit the
// variable that binds at load.
void restartWithEagerBinding(char *argv[]);

} // namespace orvelin
