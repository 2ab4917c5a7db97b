// A scope guard: runs a function when the scope is left, however it is left.
#pragma once

#include <utility>

namespace pegel {

// Runs `f` in the destructor; an exception from `f` is swallowed, because the guard
// runs during unwinding too.
template <class F>
class AmEnde {
 public:
  explicit AmEnde(F f) : f_(std::move(f)) {}
  ~AmEnde() {
    try {
      f_();
    } catch (...) {
    }
  }
  AmEnde(const AmEnde&) = delete;
  AmEnde& operator=(const AmEnde&) = delete;

 private:
  F f_;
};

}  // namespace pegel
