// Runs a step when the scope ends, however it ends, unless released first:
// the undo of a half-done job that succeeds only at its last line.
#pragma once

#include <utility>

namespace fw {

template <class Step>
class ScopeExit {
 public:
  explicit ScopeExit(Step step) noexcept : step_(std::move(step)) {}
  ~ScopeExit() {
    if (armed_) step_();
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

  // The job is done: the step will not run.
  void Release() noexcept { armed_ = false; }

 private:
  Step step_;
  bool armed_ = true;
};

}  // namespace fw
