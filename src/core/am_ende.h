// A scope guard: runs a function when the scope is left, however it is left.
#pragma once

#include <utility>

namespace pegel {

// Runs `f` in the destructor. `f` must log its own failures: an exception that leaves it is
// swallowed here, because the guard also runs while an exception unwinds the scope and a
// second one would end the program.
template <class F>
class AmEnde {
 public:
  explicit AmEnde(F f) : f_(std::move(f)) {}
  ~AmEnde() {
    try {
      f_();
    } catch (...) {
      // Swallowed on purpose, see above.
    }
  }
  AmEnde(const AmEnde&) = delete;
  AmEnde& operator=(const AmEnde&) = delete;

 private:
  F f_;
};

}  // namespace pegel
