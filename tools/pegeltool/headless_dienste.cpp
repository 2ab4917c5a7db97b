#include "headless_dienste.h"

namespace pegeltool {

void CollectingSink::MemoZeile(const std::string& zeile) {
  const auto p = zeile.find(" > ");
  meldungen.push_back(p == std::string::npos ? zeile : zeile.substr(p + 3));
}

}  // namespace pegeltool
