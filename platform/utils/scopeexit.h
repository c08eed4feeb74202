#pragma once

#include <utility>

// Runs its action when the scope is left, also by an exception.
template <typename Fn> class ScopeExit {
public:
    explicit ScopeExit(Fn fn) : fn_(std::move(fn)) {}
    ~ScopeExit() {
        if (armed_) fn_();
    }
    void runNow() {
        if (std::exchange(armed_, false)) fn_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Fn fn_;
    bool armed_ = true;
};
