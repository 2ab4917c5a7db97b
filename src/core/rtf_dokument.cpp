#include "rtf_dokument.h"

namespace pegel {

std::string RtfKlartext(const RtfDokument& dok) {
  std::string text;
  for (std::size_t a = 0; a < dok.Absaetze.size(); ++a) {
    if (a > 0) text.push_back('\n');
    for (const RtfStueck& s : dok.Absaetze[a].Stuecke) {
      std::string_view rest = s.Text;
      for (auto p = rest.find(RtfZeilenumbruch); p != std::string_view::npos;
           p = rest.find(RtfZeilenumbruch)) {
        text.append(rest.substr(0, p)).push_back('\n');
        rest.remove_prefix(p + RtfZeilenumbruch.size());
      }
      text.append(rest);
    }
  }
  return text;
}

}  // namespace pegel
