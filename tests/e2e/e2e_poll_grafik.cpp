// The live chart page of a headless viewer run: `pegeltool poll --chart` on a plant that
// pegelsim wrote, as a PDF of the print size and as a PNG.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <regex>
#include <string>

#include "test_dienste.h"

namespace pegel {
namespace {

int Ausfuehren(const std::string& befehl) {
  const int rc = std::system(befehl.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

class PollGrafik : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(
        Ausfuehren(std::string(PEGELSIM) + " --dir " + v.pfad().string() +
                   " --samples 90 --fast --start \"2026-12-06 10:00:00\" --seed 5 > /dev/null"),
        0);
  }
  // On a clock just after the samples, so that the start loads them as today's.
  std::string Poll(const std::string& rest) {
    return std::string(PEGELTOOL) + " poll " + v.pfad().string() +
           " --start \"2026-12-06 10:01:30\" --passes 0 --every 0 " + rest + " > /dev/null 2>&1";
  }
  test::TempVerz v;
};

TEST_F(PollGrafik, PdfHasOnePageOfThePrintSize) {
  const auto pdf = v / "seite.pdf";
  ASSERT_EQ(Ausfuehren(Poll("--chart 1,2,3,4 --pdf " + pdf.string())), 0);
  const std::string inhalt = test::DateiLesen(pdf);
  ASSERT_EQ(inhalt.substr(0, 5), "%PDF-");
  // 284 x 199 mm (the print size's defaults) in points.
  const std::regex mediabox(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(inhalt, m, mediabox));
  EXPECT_NEAR(std::stod(m[1]), 284 / 25.4 * 72, 1.0);
  EXPECT_NEAR(std::stod(m[2]), 199 / 25.4 * 72, 1.0);
  const std::regex seite(R"(/Type\s*/Page[^s])");
  EXPECT_EQ(std::distance(std::sregex_iterator(inhalt.begin(), inhalt.end(), seite), {}), 1);
}

TEST_F(PollGrafik, PngAtTheChosenResolution) {
  const auto png = v / "seite.png";
  ASSERT_EQ(Ausfuehren(Poll("--chart 2,3 --png " + png.string() + " --dpi 50")), 0);
  const std::string inhalt = test::DateiLesen(png);
  ASSERT_GT(inhalt.size(), 24u);
  EXPECT_EQ(inhalt.substr(1, 3), "PNG");
  const auto be32 = [&inhalt](std::size_t o) {
    std::uint32_t v = 0;
    for (std::size_t i = o; i < o + 4; ++i) v = (v << 8) | static_cast<unsigned char>(inhalt[i]);
    return v;
  };
  EXPECT_NEAR(be32(16), 284 / 25.4 * 50, 1.0);
  EXPECT_NEAR(be32(20), 199 / 25.4 * 50, 1.0);
}

TEST_F(PollGrafik, RefusalsAndUsageErrors) {
  // Ten charts are more than a page holds: the hand-over refuses and nothing is written.
  const auto png = v / "zehn.png";
  EXPECT_EQ(Ausfuehren(Poll("--chart 1,2,3,4,5,6,7,8,9,10 --png " + png.string())), 1);
  EXPECT_FALSE(std::filesystem::exists(png));
  for (const char* falsch : {"--chart 1,x --png a.png", "--chart 1 --png a.png --pdf b.pdf",
                             "--chart 1", "--png a.png", "--chart 1 --png a.png --dpi 0"}) {
    EXPECT_EQ(Ausfuehren(Poll(falsch)), 2) << falsch;
  }
}

}  // namespace
}  // namespace pegel
