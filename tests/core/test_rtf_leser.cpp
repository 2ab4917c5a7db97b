#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "rtf_leser.h"

namespace pegel {
namespace {

std::string Lesen(const std::filesystem::path& datei) {
  std::ifstream f(datei, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string Text(std::string_view rtf) { return RtfKlartext(RtfLesen(rtf)); }

// The piece that holds `text`, or nullptr.
const RtfStueck* Stueck(const RtfDokument& dok, std::string_view text) {
  for (const RtfAbsatz& a : dok.Absaetze) {
    for (const RtfStueck& s : a.Stuecke) {
      if (s.Text.find(text) != std::string::npos) return &s;
    }
  }
  return nullptr;
}

// A format from its size and the letters b, i, u for bold, italic and underlined.
RtfFormat Format(double punkte, std::string_view art = "", std::optional<RtfFarbe> farbe = {}) {
  RtfFormat f;
  f.Punkte = punkte;
  f.Fett = art.find('b') != std::string_view::npos;
  f.Kursiv = art.find('i') != std::string_view::npos;
  f.Unterstrichen = art.find('u') != std::string_view::npos;
  f.Farbe = farbe;
  return f;
}

constexpr RtfFarbe Rot{255, 0, 0};
constexpr RtfFarbe Blau{0, 0, 255};

// ---- samples written by real producers from tests/data/rtf/quelle.html --------------------

// The source text as paragraphs, the table as one line per row.
const std::string QuelleBisTabelle =
    "Schichtprotokoll Pumpwerk Nord\n"
    "Füllstand Becken 2: 3,5 m³ bei 18 °C, Δp 0,2 bar, Wartung 120 € (Prüfung durch Jürgen "
    "Weiß).\n"
    "Störung an Pumpe 3, Ursache unklar, Rückmeldung nötig.\n"
    "Große Schrift und rote Warnung und blauer Hinweis.\n"
    "a\tb\tc\n"
    "Zulauf\t12,5\tm³/h\n";
const std::string Bild = "\n";  // the picture's paragraph, empty
const std::string QuelleEnde = "Ende des Protokolls.";

struct Probe {
  const char* datei;
  std::string text;        // the source text in the producer's layout
  double ueberschrift;     // size of the heading, in points
  double grundschrift;     // size of the body text
  bool farbenUndGroessen;  // the producer keeps colours and the span's size
};

TEST(RtfLeser, SamplesOfRealProducersGiveTheSourceTextAndItsFormats) {
  const std::vector<Probe> proben = {
      {"libreoffice.rtf", QuelleBisTabelle + Bild + QuelleEnde, 24, 12, true},
      // pandoc writes an empty paragraph after a table.
      {"pandoc.rtf", QuelleBisTabelle + "\n" + Bild + QuelleEnde, 18, 12, false},
      // AbiWord ends the table with \par and the document with two empty paragraphs.
      {"abiword.rtf", QuelleBisTabelle + "\n" + Bild + QuelleEnde + "\n\n", 17, 12, true},
      {"richedit.rtf", QuelleBisTabelle + Bild + QuelleEnde, 16, 10, true},
  };
  for (const Probe& p : proben) {
    SCOPED_TRACE(p.datei);
    const RtfDokument dok =
        RtfLesen(Lesen(std::filesystem::path(PEGEL_TESTDATA_DIR) / "rtf" / p.datei));
    EXPECT_TRUE(dok.Rtf);
    EXPECT_FALSE(dok.Beschaedigt);
    EXPECT_EQ(RtfKlartext(dok), p.text);

    const RtfStueck* kopf = Stueck(dok, "Schichtprotokoll");
    ASSERT_NE(kopf, nullptr);
    EXPECT_TRUE(kopf->Format.Fett);
    EXPECT_EQ(kopf->Format.Punkte, p.ueberschrift);

    const RtfStueck* fett = Stueck(dok, "Störung");
    const RtfStueck* kursiv = Stueck(dok, "Ursache");
    const RtfStueck* unter = Stueck(dok, "Rückmeldung");
    const RtfStueck* normal = Stueck(dok, " an Pumpe 3, ");
    ASSERT_TRUE(fett && kursiv && unter && normal);
    EXPECT_EQ(fett->Text, "Störung");
    EXPECT_TRUE(fett->Format.Fett && !fett->Format.Kursiv && !fett->Format.Unterstrichen);
    EXPECT_TRUE(kursiv->Format.Kursiv && !kursiv->Format.Fett);
    EXPECT_TRUE(unter->Format.Unterstrichen && !unter->Format.Kursiv);
    EXPECT_EQ(normal->Format, Format(p.grundschrift));

    const RtfStueck* gross = Stueck(dok, "Große Schrift");
    const RtfStueck* rot = Stueck(dok, "rote Warnung");
    const RtfStueck* blau = Stueck(dok, "blauer Hinweis");
    ASSERT_TRUE(gross && rot && blau);
    if (p.farbenUndGroessen) {
      EXPECT_EQ(gross->Format.Punkte, 16);
      EXPECT_EQ(rot->Text, "rote Warnung");
      EXPECT_EQ(rot->Format.Farbe, Rot);
      EXPECT_EQ(blau->Format.Farbe, Blau);
      EXPECT_EQ(rot->Format.Punkte, p.grundschrift);
    }

    const auto zeile = std::find_if(dok.Absaetze.begin(), dok.Absaetze.end(), [](const auto& a) {
      return a.Stuecke.size() == 1 && a.Stuecke[0].Text == "a\tb\tc";
    });
    ASSERT_NE(zeile, dok.Absaetze.end());
    EXPECT_TRUE(zeile->Tabellenzeile);
    EXPECT_FALSE(dok.Absaetze.at(0).Tabellenzeile);
  }
}

// ---- text: escapes, Unicode and its fallback -----------------------------------------------

struct Fall {
  const char* rtf;
  std::string text;
};

TEST(RtfLeser, EscapesAndUnicodeGiveUtf8AndSkipTheFallbackCharacters) {
  const std::vector<Fall> faelle = {
      {R"({\rtf1\ansi\ansicpg1252 \'e4\'f6\'fc\'df\'80\'b3\'C4})", "äöüß€³Ä"},
      // Every code page is read as Windows-1252: protocols come from German Windows.
      {R"({\rtf1\ansi\ansicpg1250 \'e4})", "ä"},
      {"{\\rtf1 raw \xe4\x80}", "raw ä€"},
      {R"({\rtf1 \u8364?x})", "€x"},  // \uc1 is the default
      {R"({\rtf1\uc0 \u8364 x})", "€x"},
      {R"({\rtf1\uc2 \u8364\'80\'80x})", "€x"},
      {R"({\rtf1\uc1 \u8364\~x})", "€x"},         // a control symbol counts as one character
      {R"({\rtf1\uc3 \u8364 ?{\b x}y})", "€xy"},  // a brace ends the fallback
      {R"({\rtf1 {\uc2 a}\u8364?b})", "a€b"},     // \uc belongs to its group
      {R"({\rtf1 \u-3913?})", "\uF0B7"},          // 16-bit signed: -3913 + 65536
      {R"({\rtf1 \u-10179?\u-8704?!})", "😀!"},    // a surrogate pair
      {R"({\rtf1 \u-10179?x})", "\uFFFDx"},       // a high surrogate alone
      {R"({\rtf1 \u56832?x\u0?\u7?})", "\uFFFDx"},
      {R"({\rtf1 a\~b\-c\_d\\e\{f\}})", "a\u00A0b\u00ADc\u2011d\\e{f}"},
      {R"({\rtf1 a\tab b\line c\emdash\ldblquote d\rdblquote})", "a\tb\nc\u2014\u201Cd\u201D"},
      {"{\\rtf1 a\r\nb\\par c\\\nd\tx\x01}", "ab\nc\nd\tx"},  // \<LF> is \par
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.rtf);
    EXPECT_EQ(Text(f.rtf), f.text);
  }
}

// ---- format ---------------------------------------------------------------------------------

TEST(RtfLeser, GroupsRestoreTheFormatOfTheirParent) {
  const RtfDokument dok = RtfLesen(
      R"({\rtf1{\colortbl;\red255\green0\blue0;}\fs20 a{\b\i\ul\cf1\fs40 b{\b0\ulnone c}d}e)"
      R"({\i x\plain f}\ul g\ul0 h\uldb i\i j\i0\cf7 k})");
  struct Erwartet {
    std::string text;
    RtfFormat format;
  };
  const std::vector<Erwartet> erwartet = {
      {"a", Format(20 / 2.0)},
      {"b", Format(40 / 2.0, "biu", Rot)},
      {"c", Format(40 / 2.0, "i", Rot)},
      {"d", Format(40 / 2.0, "biu", Rot)},
      {"e", Format(10)},
      {"x", Format(10, "i")},
      {"f", Format(12)},  // \plain: RTF's defaults
      {"g", Format(10, "u")},
      {"h", Format(10)},
      {"i", Format(10, "u")},
      {"j", Format(10, "iu")},
      {"k", Format(10, "u")},  // colour 7 is not in the table: the default colour
  };
  ASSERT_EQ(dok.Absaetze.size(), 1u);
  const auto& stuecke = dok.Absaetze[0].Stuecke;
  ASSERT_EQ(stuecke.size(), erwartet.size());
  for (std::size_t n = 0; n < erwartet.size(); ++n) {
    SCOPED_TRACE(erwartet[n].text);
    EXPECT_EQ(stuecke[n].Text, erwartet[n].text);
    EXPECT_EQ(stuecke[n].Format, erwartet[n].format);
  }
}

TEST(RtfLeser, ColourTableEntriesAndFontSizesAreTakenAsWritten) {
  // Without an empty first entry, colour 0 is a real colour (AbiWord writes black there).
  const RtfDokument ohneAuto = RtfLesen(
      R"({\rtf1{\colortbl\red0\green0\blue0;\red255\green0\blue0;}\cf0 a\cf1 b\cf c\cf-1 d})");
  ASSERT_EQ(ohneAuto.Absaetze.at(0).Stuecke.size(), 4u);
  EXPECT_EQ(Stueck(ohneAuto, "a")->Format.Farbe, RtfFarbe{});
  EXPECT_EQ(Stueck(ohneAuto, "b")->Format.Farbe, Rot);
  EXPECT_EQ(Stueck(ohneAuto, "c")->Format.Farbe, RtfFarbe{});  // \cf without number is \cf0
  EXPECT_EQ(Stueck(ohneAuto, "d")->Format.Farbe, std::nullopt);

  // Components are cut to a byte; an entry without its ";" ends with the table.
  const RtfDokument grenzen =
      RtfLesen(R"({\rtf1{\colortbl;\red999\green-5\blue255}\cf1 a\fs0 b\fs99999999999 c\fs7 d})");
  EXPECT_EQ(Stueck(grenzen, "a")->Format.Farbe, (RtfFarbe{255, 0, 255}));
  EXPECT_EQ(Stueck(grenzen, "b")->Format.Punkte, 12);    // \fs0 means nothing: the default
  EXPECT_EQ(Stueck(grenzen, "c")->Format.Punkte, 1638);  // the largest size there is
  EXPECT_EQ(Stueck(grenzen, "d")->Format.Punkte, 3.5);
}

// ---- what is not shown ---------------------------------------------------------------------

TEST(RtfLeser, DestinationsPicturesAndBinaryDataAreSkipped) {
  const std::vector<Fall> faelle = {
      {R"({\*\unbekannt x{\b y}})", ""},
      {R"({\pict\pngblip 89504e47})", ""},
      {R"({\*\shppict{\pict\pngblip 89504e47}}{\nonshppict{\pict\wmetafile8 0100}})", ""},
      {R"({\fonttbl{\f0\fswiss Arial;}{\f1 Symbol;}})", ""},
      {R"({\stylesheet{\s0 Normal;}})", ""},
      {R"({\info{\title Titel}{\author Jemand}})", ""},
      {R"({\header Kopf}{\footerr Fuss}{\footnote Note})", ""},
      {R"({\field{\*\fldinst HYPERLINK "x"}{\fldrslt Verweis}})", "Verweis"},
      {R"({\pntext 1.\tab}{\*\pn\pnlvlbody{\pntxta .}})", "1.\t"},
      {"{\\pict\\bin4 }{\\\xff}", ""},  // braces and a backslash in binary data are no RTF
      {"\\bin3 {}x", ""},
      {R"(\bin-4 x)", "x"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.rtf);
    EXPECT_EQ(Text(std::string("{\\rtf1 A") + f.rtf + "B}"), "A" + f.text + "B");
  }
}

// ---- tables ---------------------------------------------------------------------------------

TEST(RtfLeser, TableRowsBecomeOneLineWithTabsBetweenCells) {
  const std::vector<Fall> faelle = {
      {R"(\trowd\cellx1\cellx2\cellx3\pard\intbl a\cell b\cell c\cell\row x\par)", "a\tb\tc\nx"},
      {R"(\trowd\intbl a\cell\cell c\cell\row\trowd\intbl\cell\cell\row)", "a\t\tc\n\t"},
      // pandoc: every cell a group with a paragraph that ends in \par
      {R"({{\pard\intbl a\par}\cell}{{\pard\intbl b1\par b2\par}\cell}\intbl\row\pard x)",
       "a\tb1 b2\nx"},
      {R"(\trowd\intbl a\cell\pard\par x)", "a\nx"},  // a row that is never ended
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.rtf);
    EXPECT_EQ(Text(std::string("{\\rtf1 ") + f.rtf + "}"), f.text);
  }
  const RtfDokument dok = RtfLesen(R"({\rtf1 \intbl a\cell b\cell\row x})");
  ASSERT_EQ(dok.Absaetze.size(), 2u);
  EXPECT_TRUE(dok.Absaetze[0].Tabellenzeile);
  EXPECT_FALSE(dok.Absaetze[1].Tabellenzeile);
}

// ---- broken input and files that are no RTF --------------------------------------------

TEST(RtfLeser, BrokenInputShowsWhatCouldBeRead) {
  struct Kaputt {
    std::string rtf;
    std::string text;
    bool beschaedigt;
  };
  const std::string tief = std::string(100000, '{');
  std::string boldTief;
  for (int n = 0; n < 1500; ++n) boldTief += "{\\b ";
  const std::vector<Kaputt> faelle = {
      {R"({\rtf1 abc)", "abc", true},
      {R"({\rtf1 a\par b\'e)", "a\nb", true},
      {R"({\rtf1 ab\')", "ab", true},
      {R"({\rtf1 ab\)", "ab", true},
      {R"({\rtf1 ab\'zz})", "abzz", false},  // not a hex escape: the letters are text
      {R"({\rtf1 a}}b})", "ab", true},
      {R"({\rtf1 a\bin99999999999 xyz})", "a", true},
      {R"({\rtf1 \u99999999999999?x\fs-5 y\uc-3 \u8364 z})", "\uFFFDxy€z", false},
      {R"({\rtf1 a\zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz99999999999999999999 b})", "ab",
       false},
      {"{\\rtf1 " + tief + "x" + std::string(100000, '}') + "y}", "xy", true},
      {"{\\rtf1 " + tief + "x", "x", true},
      {"{\\rtf1 " + boldTief + "x" + std::string(1500, '}') + "y}", "xy", true},
      {"\xEF\xBB\xBF \r\n{\\rtf1 x}", "x", false},
  };
  for (const Kaputt& f : faelle) {
    SCOPED_TRACE(f.rtf.substr(0, 60));
    const RtfDokument dok = RtfLesen(f.rtf);
    EXPECT_TRUE(dok.Rtf);
    EXPECT_EQ(RtfKlartext(dok), f.text);
    EXPECT_EQ(dok.Beschaedigt, f.beschaedigt);
  }
  // Beyond the deepest level the format still comes back when the groups close.
  const RtfDokument dok = RtfLesen("{\\rtf1 " + boldTief + "x" + std::string(1500, '}') + "y}");
  EXPECT_TRUE(Stueck(dok, "x")->Format.Fett);
  EXPECT_FALSE(Stueck(dok, "y")->Format.Fett);
}

TEST(RtfLeser, BytesThatAreNotRtfArePlainWindows1252TextByLine) {
  const RtfDokument dok = RtfLesen("Zeile 1\r\nZ\xe4hler\t2\x01\n\rrtf1}\n");
  EXPECT_FALSE(dok.Rtf);
  EXPECT_FALSE(IstRtf("Zeile 1"));
  EXPECT_EQ(RtfKlartext(dok), "Zeile 1\nZähler\t2\n\nrtf1}");
  EXPECT_TRUE(RtfLesen("").Absaetze.empty());
  EXPECT_FALSE(IstRtf("{\\rt"));
  EXPECT_TRUE(IstRtf("\n{\\rtf"));
}

}  // namespace
}  // namespace pegel
