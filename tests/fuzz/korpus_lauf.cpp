// Runs every file of the fuzz corpus through the harness once, so that inputs that once
// failed stay fixed in the normal build.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);

int main() {
  int anzahl = 0;
  for (const auto& e : std::filesystem::directory_iterator(PEGEL_FUZZ_KORPUS)) {
    if (!e.is_regular_file()) continue;
    std::ifstream f(e.path(), std::ios::binary);
    const std::vector<char> b((std::istreambuf_iterator<char>(f)),
                              std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(b.data()), b.size());
    ++anzahl;
  }
  std::printf("%d Korpusdateien geprueft\n", anzahl);
  return anzahl > 0 ? 0 : 1;
}
