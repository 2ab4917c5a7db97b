#include "export_ergebnis.h"

#include "cp1252.h"
#include "text_format.h"

namespace pegel {

std::filesystem::path WertetabellenDatei(const std::filesystem::path& progDir,
                                         const std::string& tageskennung,
                                         const std::string& endung) {
  return progDir / (tageskennung + "_Wertetabelle" + endung);
}

ExportErgebnis ExportGespeichert(const std::filesystem::path& datei) {
  return {true, "Datei > " + datei.string() + " < wurde gespeichert."};
}

ExportErgebnis ExportFehler(const std::filesystem::path& datei, const std::string& grund) {
  return {false, "Datei > " + datei.string() + " < konnte nicht gespeichert werden.\n" + grund};
}

ExportErgebnis ExportFehler(const std::filesystem::path& datei, std::error_code ec) {
  return ExportFehler(datei, SchreibFehlerGrund(ec));
}

std::string SchreibFehlerGrund(std::error_code ec) {
  const std::error_condition b = ec.default_error_condition();
  if (b == std::errc::no_such_file_or_directory || b == std::errc::not_a_directory) {
    return "Das Verzeichnis existiert nicht.";
  }
  if (b == std::errc::permission_denied || b == std::errc::operation_not_permitted) {
    return Ansi(
        "Zugriff verweigert: keine Schreibrechte im Verzeichnis, oder die Datei ist in einem "
        "anderen Programm geöffnet.");
  }
  if (b == std::errc::read_only_file_system) return Ansi("Der Datenträger ist schreibgeschützt.");
  if (b == std::errc::no_space_on_device) return Ansi("Der Datenträger ist voll.");
  if (b == std::errc::is_a_directory) return "Unter diesem Namen besteht ein Verzeichnis.";
  if (b == std::errc::filename_too_long) return "Der Dateiname ist zu lang.";
  return Utf8ZuCp1252(ec.message()) + " (" + GanzText(ec.value()) + ")";
}

std::string TausenderText(std::size_t n) {
  const std::string ziffern = GanzText(static_cast<std::int64_t>(n));
  std::string t;
  for (std::size_t i = 0; i < ziffern.size(); ++i) {
    if (i > 0 && (ziffern.size() - i) % 3 == 0) t += '.';
    t += ziffern[i];
  }
  return t;
}

}  // namespace pegel
