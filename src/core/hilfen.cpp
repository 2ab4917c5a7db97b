#include "hilfen.h"

namespace pegel {

std::string DatumZuDateiname(TDateTime t) {
  const DatumTeile d = DatumZerlegen(t);
  std::string j = std::to_string(d.jahr);
  if (j.size() < 4) j.insert(0, 4 - j.size(), '0');
  auto zwei = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  return j + zwei(d.monat) + zwei(d.tag);
}

std::filesystem::path TempName(const std::filesystem::path& progDir, Clock& uhr) {
  const TDateTime t = uhr.Jetzt();
  const DatumTeile d = DatumZerlegen(t);
  const ZeitTeile z = ZeitZerlegen(t);
  std::string name(1, '$');
  for (int teil : {d.monat, d.tag, z.stunde, z.minute, z.sekunde}) name += std::to_string(teil);
  name += '.';
  name += std::to_string(z.milli);
  return progDir / name;
}

void Delay(Clock& uhr, std::uint32_t ms) {
  const std::uint32_t start = uhr.Ticks();
  while (static_cast<std::uint32_t>(uhr.Ticks() - start) < ms) uhr.Pause();
}

}  // namespace pegel
