// pegeltool print on a day that pegelsim wrote: the pages of the marked groups in one PDF or
// in the archive, nothing else changed, and its refusals.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "anlage_dateien.h"
#include "test_dienste.h"
#include "verzeichnis_abbild.h"

namespace pegel {
namespace {

namespace fs = std::filesystem;

int Ausfuehren(const std::string& befehl) {
  const int rc = std::system(befehl.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

std::string Ausgabe(const std::string& befehl) {
  std::string aus;
  if (FILE* p = ::popen(befehl.c_str(), "r")) {
    char puffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(puffer, 1, sizeof puffer, p)) > 0) aus.append(puffer, n);
    ::pclose(p);
  }
  return aus;
}

class Print : public ::testing::Test {
 protected:
  void SetUp() override {
    // Ten minutes of 05.12.2026, one sample a second.
    ASSERT_EQ(Ausfuehren(std::string(PEGELSIM) + " --dir " + v.pfad().string() +
                         " --params 6 --samples 600 --fast --start \"2026-12-05 10:00:00\"" +
                         " --seed 5 > /dev/null"),
              0);
    test::DateiSchreiben(v / "PEGELWART.GRP", test::GruppenSatz(756, {1, 2, 3}, "Becken", true) +
                                                  test::GruppenSatz(756, {4}, "Aus", false) +
                                                  test::GruppenSatz(756, {2, 5}, "Zulauf", true));
  }
  std::string Tool(const std::string& rest) {
    return std::string(PEGELTOOL) + " print " + v.pfad().string() + " " + rest;
  }
  test::TempVerz v;
  test::TempVerz aus;
};

TEST_F(Print, PdfMitEinerSeiteJeMarkierterGruppeUndSonstKeineAenderung) {
  const auto vorher = test::GealtertAufnehmen(v.pfad());
  const fs::path pdf = aus / "tag.pdf";
  ASSERT_EQ(Ausfuehren(Tool("20261205 --pdf " + pdf.string() + " > /dev/null 2>&1")), 0);
  EXPECT_EQ(test::Aufnehmen(v.pfad()), vorher) << "the plant directory is left alone";
  EXPECT_NE(Ausgabe("pdfinfo " + pdf.string()).find("Pages:           2"), std::string::npos);
  const std::string seite1 = Ausgabe("pdftotext -f 1 -l 1 " + pdf.string() + " -");
  const std::string seite2 = Ausgabe("pdftotext -f 2 -l 2 " + pdf.string() + " -");
  EXPECT_NE(seite1.find("Daten vom : 05.12.2026"), std::string::npos) << seite1;
  EXPECT_NE(seite1.find("Pegel Pumpensumpf 1 [m]"), std::string::npos) << seite1;
  EXPECT_NE(seite1.find("Pumpe 1 [-]"), std::string::npos) << seite1;
  EXPECT_NE(seite1.find("Anzahl=600"), std::string::npos) << seite1;
  EXPECT_NE(seite2.find("Temperatur"), std::string::npos) << seite2;
  // No live sums in the tool.
  EXPECT_EQ(seite1.find("Summe="), std::string::npos);
  EXPECT_EQ(seite1.find("Betriebszeit="), std::string::npos);

  // One group, marked or not.
  const fs::path eine = aus / "eine.pdf";
  ASSERT_EQ(Ausfuehren(Tool("20261205 --group 2 --pdf " + eine.string() + " > /dev/null")), 0);
  EXPECT_NE(Ausgabe("pdftotext " + eine.string() + " -").find("Wasserstand"), std::string::npos);
}

TEST_F(Print, ArchivUndVerweigerungen) {
  ASSERT_EQ(Ausfuehren(Tool("20261205 --archive > /dev/null 2>&1")), 0);
  EXPECT_TRUE(fs::exists(v / "Druckarchiv" / "20261205_Becken.pdf"));
  EXPECT_TRUE(fs::exists(v / "Druckarchiv" / "20261205_Zulauf.pdf"));
  EXPECT_FALSE(fs::exists(v / "Druckarchiv" / "20261205_Aus.pdf"));

  // A day without files prints nothing and says why.
  const std::string ohne = Ausgabe(Tool("20261204 --pdf " + (aus / "x.pdf").string() + " 2>&1"));
  EXPECT_NE(ohne.find("PGH-Datei"), std::string::npos) << ohne;
  EXPECT_EQ(Ausfuehren(Tool("20261204 --archive > /dev/null 2>&1")), 1);
  for (const char* falsch : {"20261205", "20261205 --pdf a.pdf --archive", "2026120 --archive",
                             "20261305 --archive", "20261205 --group 0 --archive"}) {
    EXPECT_EQ(Ausfuehren(Tool(std::string(falsch) + " > /dev/null 2>&1")), 2) << falsch;
  }
}

}  // namespace
}  // namespace pegel
