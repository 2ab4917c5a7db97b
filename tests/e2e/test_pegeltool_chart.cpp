// `pegeltool chart` on the fixture plant `klaerwerk`: the history page of a stored day as a
// PNG and a PDF, by parameters or by group, over the whole day or a span; usage errors and
// days without data; and that it only reads the plant, also while a viewer holds its guard.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QString>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "instanzschutz.h"
#include "test_dienste.h"
#include "verzeichnis_abbild.h"

namespace pegel {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::DateiLesen;
using test::TempVerz;

struct Lauf {
  int rc = -1;
  std::string aus, fehler;
};

class Chart : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(fs::path(PEGEL_TESTDATA_DIR) / "golden" / "klaerwerk", anlage,
             fs::copy_options::recursive);
  }
  // pegeltool chart on the plant for the day 05.12.2026 (30 rows from 10:00:00, one a
  // minute), with these further arguments.
  Lauf Chart_(const std::string& rest, const std::string& tag = "20261205") const {
    const auto aus = ablage / "aus.txt", fehler = ablage / "err.txt";
    const std::string cmd = "PEGEL_JETZT='2026-12-06 12:00:00' \"" PEGELTOOL "\" chart '" +
                            anlage.string() + "' " + tag + " " + rest + " > '" + aus.string() +
                            "' 2> '" + fehler.string() + "'";
    const int rc = std::system(cmd.c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, DateiLesen(aus), DateiLesen(fehler)};
  }
  std::string PdfText(const fs::path& pdf) const {
    const auto txt = ablage / "seite.txt";
    EXPECT_EQ(
        std::system(("pdftotext -layout '" + pdf.string() + "' '" + txt.string() + "'").c_str()),
        0);
    return DateiLesen(txt);
  }
  TempVerz arbeit, ablage;
  const fs::path anlage = arbeit / "anlage";
};

// Width and height of a PNG from its header.
std::pair<std::uint32_t, std::uint32_t> PngGroesse(const std::string& png) {
  const auto be = [&](std::size_t pos) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(png.at(pos + i));
    return v;
  };
  return {be(16), be(20)};
}

TEST_F(Chart, PdfShowsTheChosenParametersAndTheDayOnThePrintSize) {
  const auto pdf = ablage / "tag.pdf";
  const Lauf l = Chart_("--params 1,2,3 --pdf '" + pdf.string() + "' --json");
  ASSERT_EQ(l.rc, 0) << l.aus << l.fehler;
  const json j = json::parse(l.aus);
  EXPECT_EQ(j.at("erste_zeile"), 1);
  EXPECT_EQ(j.at("letzte_zeile"), 30);
  EXPECT_EQ(j.at("seite_mm"), json::parse("[297, 210]")) << "[PegelWart] Druckbreite x Druckhoehe";
  const std::string text = PdfText(pdf);
  for (const char* t :
       {"Füllstand Nord [m]", "Zulauf [m³/h]", "Pumpe 1 [-]", "Daten vom : 05.12.2026",
        "Meßintervall : 1 Minute(n)", "10:00:00", "Anzahl=30", "Betriebszeit="}) {
    EXPECT_NE(text.find(t), std::string::npos) << t << "\n" << text;
  }
  EXPECT_EQ(text.find("Temperatur"), std::string::npos);
  const std::string info = [&] {
    const auto aus = ablage / "info.txt";
    std::system(("pdfinfo '" + pdf.string() + "' > '" + aus.string() + "'").c_str());
    return DateiLesen(aus);
  }();
  EXPECT_TRUE(std::regex_search(info, std::regex(R"(Pages:\s+1\n)"))) << info;
  EXPECT_NE(info.find("842 x 595 pts"), std::string::npos) << "A4 landscape\n" << info;
}

TEST_F(Chart, PngOfAGroupOverASpanAtTheGivenSizeAndResolution) {
  const auto png = ablage / "gruppe.png";
  const Lauf l = Chart_("--group 1 --from 10:05:00 --to 10:20:30 --png '" + png.string() +
                        "' --dpi 100 --size 210x297 --json");
  ASSERT_EQ(l.rc, 0) << l.aus << l.fehler;
  const json j = json::parse(l.aus);
  EXPECT_EQ(j.at("parameter"), json::parse("[1, 2, 3]")) << "the members of group 1";
  EXPECT_EQ(j.at("erste_zeile"), 6);
  EXPECT_EQ(j.at("letzte_zeile"), 21);
  const std::string bild = DateiLesen(png);
  ASSERT_EQ(bild.rfind("\x89PNG", 0), 0u);
  // 210 x 297 mm at 100 dpi.
  EXPECT_EQ(PngGroesse(bild), std::pair(827u, 1169u));
}

TEST_F(Chart, UsageErrorsExitWithTwoAndWriteNothing) {
  const std::string png = " --png '" + (ablage / "x.png").string() + "'";
  for (const std::string& args : {
           "--params 0" + png,
           "--params 1,x" + png,
           "--params 1,2,3,4,5,6,7,8,9,10" + png,
           "--group 21" + png,
           "--params 1 --group 1" + png,
           png.substr(1),
           std::string("--params 1"),
           "--params 1" + png + " --pdf x.pdf",
           "--params 1 --from 25:00:00" + png,
           "--params 1 --to 10:xx" + png,
           "--params 1 --from 11:00:00 --to 10:00:00" + png,
           "--params 1 --size 297" + png,
           "--params 1 --dpi 100 --pdf '" + (ablage / "x.pdf").string() + "'",
       }) {
    SCOPED_TRACE(args);
    EXPECT_EQ(Chart_(args).rc, 2);
    EXPECT_EQ(Chart_(args, "2026125").rc, 2);
    EXPECT_FALSE(fs::exists(ablage / "x.png"));
    EXPECT_FALSE(fs::exists(ablage / "x.pdf"));
  }
}

TEST_F(Chart, ADayOrSpanWithoutDataExitsWithOne) {
  const std::string png = " --png '" + (ablage / "x.png").string() + "'";
  struct Fall {
    std::string tag, args;
  };
  for (const Fall& f : {
           Fall{"20261201", "--params 1"},                                // no day file
           Fall{"20261205", "--params 1 --from 20:00:00"},                // no row in the span
           Fall{"20261205", "--params 1 --from 10:03:00 --to 10:03:30"},  // one row
           Fall{"20261205", "--params 6"},                                // not in the day
           Fall{"20261205", "--group 3"},                                 // no such group
       }) {
    SCOPED_TRACE(f.tag + " " + f.args);
    const Lauf l = Chart_(f.args + png, f.tag);
    EXPECT_EQ(l.rc, 1) << l.aus;
    EXPECT_FALSE(l.fehler.empty());
    EXPECT_FALSE(fs::exists(ablage / "x.png"));
  }
}

TEST_F(Chart, OnlyReadsThePlantAlsoWhileAViewerHoldsItsGuard) {
  ui::Instanzschutz anzeige(QString::fromStdString(anlage.string()));
  ASSERT_EQ(anzeige.Nehmen(), ui::Instanzschutz::Ergebnis::Genommen);
  const test::Abbild vorher = test::GealtertAufnehmen(anlage);
  const Lauf l = Chart_("--params 1,2 --pdf '" + (ablage / "t.pdf").string() + "'", "20261206");
  EXPECT_EQ(l.rc, 0) << l.fehler;
  EXPECT_EQ(test::Aufnehmen(anlage), vorher)
      << "no file renamed, written, created or removed; the sample file stays";
}

}  // namespace
}  // namespace pegel
