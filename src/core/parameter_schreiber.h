// Write access to the parameter table. In the program the configuration module is its only
// user (the loader, the import from a day header and the display settings of a parameter);
// a test of the project checks that no other source file includes this header. Tests use it
// to build their own state.
#pragma once

#include "parameter.h"
#include "state.h"

namespace pegel {

class ParameterSchreiber {
 public:
  explicit ParameterSchreiber(PegelStatus& s) : t_(s.par_) {}
  void ItemcountSetzen(std::int32_t n) { t_.itemcount_ = n; }
  // Parameter n, 1..MaxItems. Throws std::out_of_range otherwise.
  Parameter& at(int n) { return t_.par_.at(ParameterTabelle::Index(n)); }
  std::vector<std::string>& ItemListe() { return t_.liste_; }

 private:
  ParameterTabelle& t_;
};

}  // namespace pegel
