#pragma once

#include <utility>

namespace FinanceHooks {

// Detaches one event hook of a table for its lifetime and re-attaches whatever was there
// on every way out, so a rule can restructure a table without retriggering itself.
template <typename Hook> class HookPause {
public:
    explicit HookPause(Hook& hook) : hook_(hook), saved_(std::move(hook)) { hook_ = nullptr; }
    ~HookPause() { hook_ = std::move(saved_); }
    HookPause(const HookPause&) = delete;
    HookPause& operator=(const HookPause&) = delete;

private:
    Hook& hook_;
    Hook saved_;
};

} // namespace FinanceHooks
