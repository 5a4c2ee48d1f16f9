#pragma once
// Runs a step when the scope ends, however it ends: the one idiom for undoing a temporary
// change (a switched-off icon, a file that must not outlive a command) without a class each.
#include <utility>

namespace pelorine {

template <typename Step> class ScopeExit {
  public:
    explicit ScopeExit(Step step) : step_(std::move(step)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() {
        if (armed_) step_();
    }
    // The step is no longer needed: it has been done another way, or must not be done.
    void release() { armed_ = false; }
    // Does the step now rather than at the end, and only once.
    void run() {
        release();
        step_();
    }

  private:
    Step step_;
    bool armed_ = true;
};

} // namespace pelorine
