#include "dateien.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <thread>

#include "text_format.h"

namespace pegelsim {

std::string PghText(const std::vector<Parameter>& par, int intervallMs,
                    const std::string& datumText) {
  const std::string nl = "\r\n";
  std::string t = std::to_string(par.size()) + nl;
  for (const auto& p : par) t += p.item + nl;
  t += datumText + nl;
  t += std::to_string(intervallMs) + nl;
  t += "Grenzwerte" + nl;
  for (const auto& p : par) {
    t += pegel::FestFormat(p.loLimit, 7, 2) + nl + pegel::FestFormat(p.upLimit, 7, 2) + nl;
  }
  t += "Anzeige" + nl;
  for (const auto& p : par) {
    t += p.name + nl + std::to_string(p.grafiktyp) + nl + std::to_string(p.grafikRef) + nl +
         p.einheit + nl;
  }
  return t;
}

void Anhaengen(const std::filesystem::path& datei, const std::string& bytes) {
  std::ofstream f(datei, std::ios::binary | std::ios::app);
  if (!f) throw std::runtime_error("kann " + datei.string() + " nicht öffnen");
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  f.close();
  if (!f) throw std::runtime_error("kann " + datei.string() + " nicht schreiben");
}

void ErsetzenDurchUmbenennen(const std::filesystem::path& datei, const std::string& bytes) {
  std::filesystem::path temp = datei;
  temp += ".~tmp";
  {
    std::ofstream f(temp, std::ios::binary | std::ios::trunc);
    if (!f) throw std::runtime_error("kann " + temp.string() + " nicht anlegen");
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) throw std::runtime_error("kann " + temp.string() + " nicht schreiben");
  }
  std::filesystem::rename(temp, datei);
}

void SmpAnhaengen(const std::filesystem::path& verz, const std::filesystem::path& smp,
                  const std::string& bytes, double geduldSekunden) {
  const auto sperre = verz / "$lock_SMP";
  const auto beginn = std::chrono::steady_clock::now();
  int fehlversuche = 0;
  for (;;) {
    // "x": create only when absent, so that two writers cannot both take the lock.
    if (std::FILE* f = std::fopen(sperre.string().c_str(), "wbx")) {
      std::fclose(f);
      break;
    }
    std::error_code ec;
    if (!std::filesystem::exists(sperre, ec) && ++fehlversuche > 100) {
      throw std::runtime_error("kann " + sperre.string() + " nicht anlegen");
    }
    const std::chrono::duration<double> gewartet = std::chrono::steady_clock::now() - beginn;
    if (gewartet.count() > geduldSekunden) {
      std::cerr << "pegelsim: $lock_SMP seit " << static_cast<int>(gewartet.count())
                << " s vorhanden, wird entfernt\n";
      std::error_code ec;
      std::filesystem::remove(sperre, ec);
      continue;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  try {
    Anhaengen(smp, bytes);
  } catch (...) {
    std::error_code ec;
    std::filesystem::remove(sperre, ec);
    throw;
  }
  std::error_code ec;
  std::filesystem::remove(sperre, ec);
}

}  // namespace pegelsim
