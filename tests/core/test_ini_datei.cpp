// The INI engine against the rules for the collector's shared file: lookups, bad values
// and writes that leave every other byte of the file alone.
#include <gtest/gtest.h>

#include <string>

#include "ini_datei.h"
#include "test_dienste.h"

namespace pegel {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;
using test::TempVerz;

TEST(IniDatei, LookupIgnoresCaseTakesFirstMatchTrimsAndUnquotes) {
  const IniDatei ini = IniDatei::AusText(
      "Itemcount=7\r\n"  // before any section: belongs to none
      "[dde]\r\n"
      "  ItemCount = 3  \r\n"
      "itemcount=4\r\n"
      "; Drucker=9\r\n"
      "Druckername = \"HP \xC4rger\"\r\n"
      "Leer=\r\n"
      "Halb=\"offen\r\n"
      "Formel=a=b\r\n"
      "[DDE]\r\n"
      "Itemcount=5\r\n"
      "Intervall=60\r\n"
      "[ \xC4nderung ]\r\n"
      "Schl\xFC\x73sel=\xE4\xF6\xFC\x80\r\n");
  EXPECT_EQ(ini.LeseGanz("DDE", "ITEMCOUNT", 0), 3);
  EXPECT_EQ(ini.LeseGanz("DDE", "Drucker", -1), -1) << "a comment is no key";
  EXPECT_EQ(ini.LeseText("dde", "druckername", ""), "HP \xC4rger");
  EXPECT_EQ(ini.Wert("DDE", "Leer"), std::optional<std::string>(""));
  EXPECT_EQ(ini.LeseText("DDE", "Halb", "") + ini.LeseText("DDE", "Formel", ""), "\"offena=b");
  // The first [DDE] wins even for keys only the second one holds.
  EXPECT_EQ(ini.LeseGanz("DDE", "Intervall", 1), 1);
  // Umlauts fold too, and bytes above 0x7F come back unchanged.
  EXPECT_EQ(ini.LeseText("\xE4nderung", "SCHL\xDCSSEL", ""), "\xE4\xF6\xFC\x80");
  EXPECT_FALSE(ini.Wert("Fehlt", "Itemcount").has_value());
}

TEST(IniDatei, NumbersThatAreNoInt32ReadAsTheDefault) {
  const IniDatei ini =
      IniDatei::AusText("[DDE]\nC=abc\nD=12,5\nE=99999999999\nF= 42 \nG=2\nH=0\nI=ja\n");
  for (const char* k : {"C", "D", "E"}) EXPECT_EQ(ini.LeseGanz("DDE", k, 7), 7) << k;
  EXPECT_EQ(ini.LeseGanz("DDE", "F", 7), 42);
  EXPECT_TRUE(ini.LeseBool("DDE", "G", false));
  EXPECT_FALSE(ini.LeseBool("DDE", "H", true));
  EXPECT_TRUE(ini.LeseBool("DDE", "I", true));
  EXPECT_FALSE(ini.LeseBool("DDE", "I", false));
}

// A file as the collector and a person with an editor leave it.
const std::string kSammler =
    "; PEGELDDE Konfiguration\r\n"
    "[DDE]\r\n"
    "Itemcount = 2\r\n"
    "  Intervall=10   ; Sekunden\r\n"
    "\r\n"
    "[Items]\r\n"
    "Item1=\"PLC1|Pegel\"\r\n"
    "Item2=PLC1|Durchflu\xDF\r\n"
    "\r\n"
    "\r\n"
    "[Grafik]\r\n"
    "AutoStart=1\r\n";

TEST(IniDatei, AWriteChangesOnlyItsOwnLine) {
  TempVerz verz;
  DateiSchreiben(verz / "PEGELDDE.INI", kSammler);
  IniDatei ini(verz / "PEGELDDE.INI");
  ini.SchreibeText("items", "ITEM2", "neu");
  ini.SchreibeGanz("Grafik", "autostart", 0);
  ASSERT_TRUE(ini.Speichern());
  std::string erwartet = kSammler;
  const std::string alt = "Item2=PLC1|Durchflu\xDF";
  erwartet.replace(erwartet.find(alt), alt.size(), "ITEM2=neu");
  erwartet.replace(erwartet.find("AutoStart=1"), 11, "autostart=0");
  EXPECT_EQ(DateiLesen(verz / "PEGELDDE.INI"), erwartet);
  // Nothing else is left in the directory: the temporary file was renamed over the old one.
  int dateien = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(verz.pfad())) ++dateien;
  EXPECT_EQ(dateien, 1);
}

TEST(IniDatei, NewKeysGoToTheEndOfTheirSectionNewSectionsToTheEndOfTheFile) {
  IniDatei ini = IniDatei::AusText(kSammler);
  ini.SchreibeText("ITEMS", "Item3", "x");
  ini.SchreibeText("Item_1", "MinSkal", "0,5");
  ini.SchreibeText("Item_1", "MaxSkal", "9");
  std::string erwartet = kSammler;
  erwartet.insert(erwartet.find("\r\n\r\n\r\n[Grafik]") + 2, "Item3=x\r\n");
  erwartet += "\r\n[Item_1]\r\nMinSkal=0,5\r\nMaxSkal=9\r\n";
  EXPECT_EQ(ini.Text(), erwartet);

  // With duplicate sections the write goes where the read looks.
  IniDatei doppelt = IniDatei::AusText("[A]\nx=1\n[B]\n[a]\ny=2\n");
  doppelt.SchreibeText("A", "y", "3");
  EXPECT_EQ(doppelt.LeseText("A", "y", ""), "3");
  EXPECT_EQ(doppelt.Text(), "[A]\nx=1\ny=3\n[B]\n[a]\ny=2\n");
}

TEST(IniDatei, LineEndingsAndAMissingLastLineBreakAreKept) {
  IniDatei lf = IniDatei::AusText("[A]\nx=1");
  lf.SchreibeText("A", "y", "2");
  lf.SchreibeText("B", "z", "3");
  EXPECT_EQ(lf.Text(), "[A]\nx=1\ny=2\n\n[B]\nz=3");

  IniDatei leer = IniDatei::AusText("");
  leer.SchreibeGanz("Grafik", "Puffer", 60);
  EXPECT_EQ(leer.Text(), "[Grafik]\r\nPuffer=60\r\n");
}

TEST(IniDatei, AValueWithLineBreaksCannotAddALine) {
  IniDatei ini = IniDatei::AusText("[DDE]\r\nItemcount=2\r\n[Items]\r\n");
  ini.SchreibeText("Items", "Item1", "a\r\n[DDE]\r\nItemcount=999\nb\rc");
  const std::string text = ini.Text();
  EXPECT_EQ(text, "[DDE]\r\nItemcount=2\r\n[Items]\r\nItem1=a  [DDE]  Itemcount=999 b c\r\n");
  const IniDatei wieder = IniDatei::AusText(text);
  EXPECT_EQ(wieder.LeseGanz("DDE", "Itemcount", 0), 2);
}

TEST(IniDatei, ReadOnlyAndUnchangedFilesAreNeverWritten) {
  TempVerz verz;
  const auto pfad = verz / "PEGELDDE.INI";
  DateiSchreiben(pfad, kSammler);
  const auto zeit = std::filesystem::last_write_time(pfad) - std::chrono::hours(1);
  std::filesystem::last_write_time(pfad, zeit);

  IniDatei nurLesen(pfad, true);
  nurLesen.SchreibeGanz("DDE", "Itemcount", 9);
  EXPECT_EQ(nurLesen.LeseGanz("DDE", "Itemcount", 0), 9) << "the write is seen in memory";
  EXPECT_TRUE(nurLesen.Speichern());

  IniDatei unveraendert(pfad);
  EXPECT_TRUE(unveraendert.Speichern());

  EXPECT_EQ(DateiLesen(pfad), kSammler);
  EXPECT_EQ(std::filesystem::last_write_time(pfad), zeit);
}

// A file too large to hold whole is still read as far as it goes, but never written back:
// writing the part that was read would cut the collector's file.
TEST(IniDatei, AnOversizedFileIsNeverWritten) {
  TempVerz verz;
  const auto pfad = verz / "PEGELDDE.INI";
  DateiSchreiben(pfad, "[DDE]\r\nItemcount=3\r\n");
  const std::uintmax_t groesse = 64u * 1024u * 1024u + 1u;
  std::filesystem::resize_file(pfad, groesse);
  IniDatei ini(pfad);
  EXPECT_EQ(ini.LeseGanz("DDE", "Itemcount", 0), 3);
  ini.SchreibeGanz("DDE", "Itemcount", 4);
  EXPECT_FALSE(ini.Speichern());
  EXPECT_EQ(std::filesystem::file_size(pfad), groesse);
}

}  // namespace
}  // namespace pegel
