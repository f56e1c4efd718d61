#include "sdl/stop_signal.h"

#include <csignal>

namespace {

// Written by the handler, read by the loop: the one type a handler may write.
volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int) {
  stopRequested = 1;
}

}  // namespace

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  // Restart interrupted system calls: the loop notices the flag within one frame anyway.
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool StopRequested() {
  return stopRequested != 0;
}
