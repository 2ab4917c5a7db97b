// The single-instance guard of a plant directory, as the viewer and `pegeltool poll` take
// it: one guard per directory, however the directory is spelled.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QString>
#include <filesystem>
#include <memory>

#include "instanzschutz.h"
#include "test_dienste.h"

namespace pegelui {
namespace {

namespace fs = std::filesystem;
using Ergebnis = Instanzschutz::Ergebnis;

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

TEST(Instanzschutz, EinVerzeichnisInJederSchreibweiseIstEinSchutz) {
  pegel::test::TempVerz basis;
  const fs::path anlage = basis / "anlage";
  fs::create_directory(anlage);
  fs::create_directory_symlink(anlage, basis / "verweis");
  const fs::path relativ = fs::relative(anlage, fs::current_path());
  const QString schreibweisen[] = {Q(anlage), Q(anlage) + "/", Q(relativ), Q(basis / "verweis"),
                                   Q(anlage / "." / "")};

  Instanzschutz erster(Q(anlage));
  ASSERT_EQ(erster.Nehmen(), Ergebnis::Genommen);
  EXPECT_EQ(erster.Nehmen(), Ergebnis::Genommen) << "held already";
  EXPECT_TRUE(fs::exists(anlage / Instanzschutz::Dateiname)) << "the guard lives with the plant";
  for (const QString& s : schreibweisen) {
    SCOPED_TRACE(s.toStdString());
    Instanzschutz zweiter(s);
    EXPECT_EQ(zweiter.Nehmen(), Ergebnis::Belegt);
    EXPECT_TRUE(
        zweiter.Grund().contains(QString("Prozess %1").arg(QCoreApplication::applicationPid())))
        << zweiter.Grund().toStdString();
  }
}

TEST(Instanzschutz, ZweiAnlagenLaufenNebeneinanderUndEinFreigegebenerSchutzIstWiederZuHaben) {
  pegel::test::TempVerz a, b;
  auto schutzA = std::make_unique<Instanzschutz>(Q(a.pfad()));
  Instanzschutz schutzB(Q(b.pfad()));
  ASSERT_EQ(schutzA->Nehmen(), Ergebnis::Genommen);
  EXPECT_EQ(schutzB.Nehmen(), Ergebnis::Genommen);

  schutzA.reset();
  EXPECT_FALSE(fs::exists(a / Instanzschutz::Dateiname));
  Instanzschutz wieder(Q(a.pfad()));
  EXPECT_EQ(wieder.Nehmen(), Ergebnis::Genommen);
  EXPECT_TRUE(wieder.Grund().isEmpty());
}

TEST(Instanzschutz, OhneVerzeichnisKeinSchutzUndEinGrund) {
  pegel::test::TempVerz basis;
  Instanzschutz schutz(Q(basis / "fehlt"));
  EXPECT_EQ(schutz.Nehmen(), Ergebnis::Fehler);
  EXPECT_TRUE(schutz.Grund().contains(Instanzschutz::Dateiname)) << schutz.Grund().toStdString();
}

}  // namespace
}  // namespace pegelui
