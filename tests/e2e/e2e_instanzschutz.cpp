// The plant directory's single-instance guard, taken by the viewer and `pegeltool poll`:
// one guard per directory however it is spelled; while another holds it, poll changes
// nothing and exits with 3; read-only commands never take it; a crash's guard is recovered.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <chrono>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <thread>

#include "instanzschutz.h"
#include "test_dienste.h"
#include "verzeichnis_abbild.h"

namespace pegel {
namespace {

namespace fs = std::filesystem;
using pegel::ui::Instanzschutz;
using test::DateiLesen;
using test::DateiSchreiben;
using test::TempVerz;

struct Lauf {
  int rc = -1;
  std::string aus, fehler;
};

// Runs `befehl` through the shell, its output caught in files of `ablage`.
Lauf Ausfuehren(const std::string& befehl, const TempVerz& ablage, const std::string& name) {
  const auto aus = ablage / (name + ".aus"), fehler = ablage / (name + ".err");
  const int rc =
      std::system((befehl + " > '" + aus.string() + "' 2> '" + fehler.string() + "'").c_str());
  return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, DateiLesen(aus), DateiLesen(fehler)};
}

// Waits up to 20 s for `bedingung`.
template <class F>
bool Warten(F bedingung) {
  for (int i = 0; i < 400; ++i) {
    if (bedingung()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return bedingung();
}

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

// A plant that pegelsim wrote at 10:00 of 06.12.2026, with its sample file and AKTDAT.PGV
// waiting; poll runs on a clock set to that morning, so that it would take them.
class Anlage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(std::system((std::string(PEGELSIM) + " --dir '" + anlage.pfad().string() +
                           "' --samples 5 --fast --start '2026-12-06 10:00:00' > /dev/null")
                              .c_str()),
              0);
    ASSERT_TRUE(fs::exists(Smp()));
  }
  std::string Tool(const std::string& befehl, const fs::path& verz) const {
    return std::string(PEGELTOOL) + " " + befehl + " '" + verz.string() + "'";
  }
  std::string Poll(const fs::path& verz, const std::string& rest = "--passes 1 --every 0") const {
    return Tool("poll", verz) + " --start '2026-12-06 10:00:05' --json " + rest;
  }
  fs::path Smp() const { return anlage / "20261206.SMP"; }
  QString Pfad() const { return Q(anlage.pfad()); }

  TempVerz anlage, ablage;
};

TEST(Schutz, EinVerzeichnisInJederSchreibweiseIstEinSchutz) {
  TempVerz basis, andere;
  const fs::path anlage = basis / "anlage";
  fs::create_directory(anlage);
  fs::create_directory_symlink(anlage, basis / "verweis");
  std::optional<Instanzschutz> erster(std::in_place, Q(anlage));
  ASSERT_EQ(erster->Nehmen(), Instanzschutz::Ergebnis::Genommen);
  EXPECT_TRUE(fs::exists(anlage / Instanzschutz::Dateiname)) << "the guard lives with the plant";
  for (const QString& s :
       {Q(anlage) + "/", Q(fs::relative(anlage)), Q(basis / "verweis"), Q(anlage / "." / "")}) {
    EXPECT_EQ(Instanzschutz(s).Nehmen(), Instanzschutz::Ergebnis::Belegt) << s.toStdString();
  }
  EXPECT_EQ(Instanzschutz(Q(andere.pfad())).Nehmen(), Instanzschutz::Ergebnis::Genommen)
      << "another plant runs beside it";
  Instanzschutz fehlt(Q(basis / "fehlt"));
  EXPECT_EQ(fehlt.Nehmen(), Instanzschutz::Ergebnis::Fehler);
  EXPECT_TRUE(fehlt.Grund().contains(Instanzschutz::Dateiname)) << fehlt.Grund().toStdString();
  erster.reset();
  EXPECT_EQ(Instanzschutz(Q(basis / "verweis")).Nehmen(), Instanzschutz::Ergebnis::Genommen);
}

TEST_F(Anlage, PollNebenEinerAnzeigeAendertNichtsUndEndetMitDrei) {
  fs::create_directory_symlink(anlage.pfad(), ablage / "verweis");
  std::optional<Instanzschutz> anzeige(std::in_place, Pfad());
  ASSERT_EQ(anzeige->Nehmen(), Instanzschutz::Ergebnis::Genommen);
  const test::Abbild vorher = test::GealtertAufnehmen(anlage.pfad());

  const Lauf poll = Ausfuehren(Poll(ablage / "verweis"), ablage, "poll");
  EXPECT_EQ(poll.rc, 3);
  EXPECT_EQ(poll.aus, "");
  EXPECT_EQ(std::count(poll.fehler.begin(), poll.fehler.end(), '\n'), 1) << poll.fehler;
  EXPECT_NE(poll.fehler.find("Prozess " + std::to_string(QCoreApplication::applicationPid())),
            std::string::npos)
      << poll.fehler;
  // The read-only commands never take the guard.
  EXPECT_EQ(Ausfuehren(Tool("config", anlage.pfad()), ablage, "config").rc, 0);
  EXPECT_EQ(Ausfuehren(Tool("day", anlage.pfad()) + " 20261206", ablage, "day").rc, 0);
  EXPECT_EQ(test::Aufnehmen(anlage.pfad()), vorher) << "nothing renamed, read, created or logged";

  // Once the viewer has gone, the same poll takes the samples.
  anzeige.reset();
  EXPECT_EQ(Ausfuehren(Poll(anlage.pfad()), ablage, "poll").rc, 0);
  EXPECT_FALSE(fs::exists(Smp()));
}

TEST_F(Anlage, VonZweiGleichzeitigenPollsArbeitetEinerDerAndereEndetMitDrei) {
  Lauf erster;
  std::thread t([&] {
    erster = Ausfuehren(Poll(anlage.pfad(), "--passes 30 --every 100"), ablage, "erster");
  });
  // The first has taken the guard and, loading today's day file at its start (the demo
  // INI sets AlteDaten), deleted the sample file; its later passes find nothing to take.
  const bool bereit =
      Warten([&] { return fs::exists(anlage / Instanzschutz::Dateiname) && !fs::exists(Smp()); });
  if (!bereit) {
    t.join();
    FAIL() << "the first poll did not start: " << erster.fehler;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const test::Abbild vorher = test::Aufnehmen(anlage.pfad());
  const Lauf zweiter = Ausfuehren(Poll(anlage.pfad()), ablage, "zweiter");
  EXPECT_EQ(test::Aufnehmen(anlage.pfad()), vorher);
  t.join();

  EXPECT_EQ(zweiter.rc, 3);
  EXPECT_EQ(zweiter.aus, "");
  ASSERT_EQ(erster.rc, 0) << erster.fehler;
  EXPECT_EQ(nlohmann::json::parse(erster.aus)["zeilen_gesamt"], 5);
  const std::string log = DateiLesen(anlage / "_PEGELWART_LOGALL.TXT");
  std::size_t starts = 0;
  for (auto p = log.find("Viewer gestartet."); p != std::string::npos;
       p = log.find("Viewer gestartet.", p + 1)) {
    ++starts;
  }
  EXPECT_EQ(starts, 1u) << log;
}

TEST_F(Anlage, DerSchutzEinesAbgestuerztenPollsIstWiederZuHaben) {
  // A child of the test, so that it is reaped at once: a zombie would still count as
  // running, as a crashed program that nobody reaps does.
  QProcess poll;
  poll.start(QString::fromUtf8(PEGELTOOL), {"poll", Pfad(), "--start", "2026-12-06 10:00:05",
                                            "--passes", "1000", "--every", "100"});
  ASSERT_TRUE(poll.waitForStarted());
  // Killed once it has written its process id into the file.
  ASSERT_TRUE(Warten([&] { return !DateiLesen(anlage / Instanzschutz::Dateiname).empty(); }));
  poll.kill();
  ASSERT_TRUE(poll.waitForFinished());
  ASSERT_TRUE(fs::exists(anlage / Instanzschutz::Dateiname)) << "left behind by the crash";

  Instanzschutz anzeige(Pfad());
  EXPECT_EQ(anzeige.Nehmen(), Instanzschutz::Ergebnis::Genommen) << anzeige.Grund().toStdString();
}

// Killed between creating the file and writing into it: an empty file names nobody. Young,
// it may be a holder about to write; older, it is taken over.
TEST_F(Anlage, EineLeereSperrdateiGiltNachKurzerZeitAlsVerlassen) {
  const fs::path datei = anlage / Instanzschutz::Dateiname;
  DateiSchreiben(datei, "");
  Instanzschutz jung(Pfad());
  EXPECT_EQ(jung.Nehmen(), Instanzschutz::Ergebnis::Belegt);
  fs::last_write_time(datei, fs::last_write_time(datei) -
                                 std::chrono::seconds(Instanzschutz::LeereSperreSekunden + 5));
  Instanzschutz alt(Pfad());
  EXPECT_EQ(alt.Nehmen(), Instanzschutz::Ergebnis::Genommen) << alt.Grund().toStdString();
}

}  // namespace
}  // namespace pegel
