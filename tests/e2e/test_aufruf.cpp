// The command lines of the three programs: each help lists every option of the program's
// table, --version prints the version that CMake defines, a usage error (an unknown option
// among them) exits with 2, writes nothing on stdout and changes no file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "kommandos.h"
#include "optionen.h"
#include "pegelwart_aufruf.h"
#include "test_dienste.h"

namespace {

using pegel::test::DateiLesen;
using pegel::test::DateiSchreiben;
using pegel::test::TempVerz;

struct Lauf {
  int rc = -1;
  std::string aus, fehler;
};

Lauf Ausfuehren(const std::string& befehl, const TempVerz& ablage) {
  const auto aus = ablage / "aus", fehler = ablage / "err";
  const int rc =
      std::system((befehl + " > '" + aus.string() + "' 2> '" + fehler.string() + "'").c_str());
  return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, DateiLesen(aus), DateiLesen(fehler)};
}

std::vector<std::string> Namen(const kommandozeile::Tabelle& t) {
  std::vector<std::string> n;
  for (const auto& o : t) n.push_back(o.wert.empty() ? o.name : o.name + " " + o.wert);
  return n;
}

// Every run of blanks and line breaks as one blank.
std::string Einzeilig(const std::string& text) {
  std::string e;
  for (char c : text) {
    const bool leer = c == ' ' || c == '\n';
    if (!leer || (!e.empty() && e.back() != ' ')) e += leer ? ' ' : c;
  }
  return e;
}

struct Hilfe {
  std::string befehl;
  std::vector<std::string> optionen;
};

std::vector<Hilfe> AlleHilfen() {
  pegelsim::Optionen sim;
  std::vector<Hilfe> h = {{PEGELSIM " --help", Namen(pegelsim::OptionenTabelle(sim))},
                          {PEGELTOOL " --help", {"--help", "--version"}},
                          {PEGELWART " --help", {}}};
  for (const auto& [tabelle, strich] :
       {std::pair{pegelapp::Optionen(), "--"}, std::pair{pegelapp::QtOptionen(), "-"}}) {
    for (const QCommandLineOption& o : tabelle) {
      const std::string name = strich + o.names().constLast().toStdString();
      h.back().optionen.push_back(
          o.valueName().isEmpty() ? name : name + " " + o.valueName().toStdString());
    }
  }
  // The whole help of pegeltool lists every subcommand's table, and so does each
  // subcommand's own help.
  for (const pegeltool::Kommando& k : pegeltool::AlleKommandos()) {
    for (const auto& n : Namen(k.optionen)) h[1].optionen.push_back(n);
    h.push_back({PEGELTOOL " " + k.name + " --help", Namen(k.optionen)});
    h.back().optionen.push_back("--help");
  }
  return h;
}

TEST(Aufruf, JedeHilfeNenntJedeOptionIhrerTabelle) {
  TempVerz ablage;
  for (const Hilfe& h : AlleHilfen()) {
    SCOPED_TRACE(h.befehl);
    const Lauf l = Ausfuehren(h.befehl, ablage);
    EXPECT_EQ(l.rc, 0);
    EXPECT_EQ(l.fehler, "");
    ASSERT_GE(h.optionen.size(), 2u);
    for (const auto& o : h.optionen) EXPECT_NE(l.aus.find(o), std::string::npos) << o;
  }
  // Every command's exit codes, poll's 3 among them, however the lines are wrapped.
  const std::string hilfe = Einzeilig(Ausfuehren(PEGELTOOL " --help", ablage).aus);
  for (const pegeltool::Kommando& k : pegeltool::AlleKommandos()) {
    EXPECT_NE(hilfe.find(k.ausgang), std::string::npos) << k.ausgang;
  }
}

TEST(Aufruf, VersionAusCMake) {
  TempVerz ablage;
  const std::pair<const char*, const char*> programme[] = {
      {"pegelsim", PEGELSIM}, {"pegeltool", PEGELTOOL}, {"pegelwart", PEGELWART}};
  for (const auto& [name, pfad] : programme) {
    SCOPED_TRACE(name);
    const Lauf l = Ausfuehren(std::string(pfad) + " --version", ablage);
    EXPECT_EQ(l.rc, 0);
    // The project's version in the top-level CMakeLists.txt.
    EXPECT_EQ(l.aus, std::string(name) + " " + PEGEL_VERSION + "\n");
  }
}

TEST(Aufruf, AufruffehlerEndenMitZweiUndSchreibenNichts) {
  TempVerz anlage, ablage;
  const std::string verz = " '" + anlage.pfad().string() + "'";
  DateiSchreiben(anlage / "x.txt", "");
  // The command line, and the reason that stderr gives.
  const std::pair<std::string, std::string> faelle[] = {
      {PEGELSIM " --dir" + verz + " --bogus", "unbekannte Option '--bogus'"},
      {PEGELTOOL " --bogus", "unbekannte Option '--bogus'"},
      {PEGELTOOL " config" + verz + " --bogus", "unbekannte Option '--bogus'"},
      {PEGELTOOL " day" + verz + " 20261206 --bogus", "unbekannte Option '--bogus'"},
      {PEGELTOOL " poll" + verz + " --bogus", "unbekannte Option '--bogus'"},
      {PEGELWART " --bogus", "unbekannte Option '--bogus'"},
      {PEGELWART " --dir" + verz + " --bogus", "unbekannte Option '--bogus'"},
      {PEGELTOOL, "Aufruf: pegeltool KOMMANDO"},
      {PEGELTOOL " konfig" + verz, "unbekanntes Kommando 'konfig'"},
      {PEGELTOOL " config '" + (anlage / "fehlt").string() + "'", "ist kein Verzeichnis"},
      {PEGELTOOL " config '" + (anlage / "x.txt").string() + "'", "ist kein Verzeichnis"},
      {PEGELTOOL " config" + verz + verz, "zu viele Argumente"},
      {PEGELTOOL " day" + verz, "Argumente fehlen"},
  };
  for (const auto& [befehl, grund] : faelle) {
    SCOPED_TRACE(befehl);
    const Lauf l = Ausfuehren(befehl, ablage);
    EXPECT_EQ(l.rc, 2);
    EXPECT_EQ(l.aus, "");
    EXPECT_NE(l.fehler.find(grund), std::string::npos) << l.fehler;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(anlage.pfad()), {}), 1);
}

}  // namespace
