#pragma once
// The terminal's echo off while a password is typed there, and back on whichever way the typing
// ends: the program going on, or a signal that ends it at the prompt. A caller that outlives the
// program (a shell that survives Ctrl-C, an editor's terminal) would otherwise be left without it.

namespace orvelin::cli {

// One at a time. A handle that is no terminal is left alone.
class EchoOff {
public:
  explicit EchoOff(int terminal);
  EchoOff(const EchoOff &) = delete;
  EchoOff &operator=(const EchoOff &) = delete;
  ~EchoOff();

private:
  bool off_ = false;
};

} // namespace orvelin::cli
