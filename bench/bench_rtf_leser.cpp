// Reading a protocol file of 16 MB, the most the protocol pane passes to the RTF reader,
// in the shapes that cost most: a report with tables and pictures, nothing but braces,
// a format change per character, a paragraph per \par, escapes only, and plain text.
// Each shape also runs at 1 MB, so that the ratio shows the time is linear. The counter
// modell_MB is the memory the document holds (vectors and strings at their capacity).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "rtf_leser.h"

namespace {

enum Art : std::int64_t { Bericht, Klammern, Wechsel, Absaetze, Escapes, KeinRtf };

std::string Erzeugen(std::int64_t art, std::size_t groesse) {
  std::string kopf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\viewkind4\\uc1\\pard\\fs20 ";
  std::string stueck;
  switch (art) {
    case Bericht:
      stueck =
          "\\b St\\'f6rung\\b0  an Pumpe 3, F\\'fcllstand 3,5 m\\'b3, \\u916?p 0,2 bar, "
          "{\\cf1 rote Warnung} und {\\i\\ul R\\'fcckmeldung}.\\par\n"
          "\\trowd\\cellx1500\\cellx3000\\cellx4500\\pard\\intbl Zulauf\\cell 12,5\\cell "
          "m\\'b3/h\\cell\\row\\pard\n"
          "{\\*\\shppict{\\pict\\pngblip\\picw16\\pich8 " +
          std::string(512, 'a') + "}}\\par\n";
      break;
    case Klammern:
      kopf = "{\\rtf1 ";
      stueck = "{";
      break;
    case Wechsel:
      stueck = "{\\b a}{\\i b}";
      break;
    case Absaetze:
      stueck = "\\par";
      break;
    case Escapes:
      stueck = "\\'e4";
      break;
    case KeinRtf:
      kopf.clear();
      stueck = "12.05.2026 10:15:00 Pumpe 3 St\xf6rung, F\xfcllstand 3,5 m\xb3\r\n";
      break;
  }
  std::string text = kopf;
  text.reserve(groesse + stueck.size() + 1);
  while (text.size() + stueck.size() < groesse) text += stueck;
  if (!kopf.empty()) text += "}";
  return text;
}

std::size_t ModellBytes(const pegel::RtfDokument& dok) {
  std::size_t n = dok.Absaetze.capacity() * sizeof(pegel::RtfAbsatz);
  for (const pegel::RtfAbsatz& a : dok.Absaetze) {
    n += a.Stuecke.capacity() * sizeof(pegel::RtfStueck);
    for (const pegel::RtfStueck& s : a.Stuecke) {
      if (s.Text.capacity() > 15) n += s.Text.capacity() + 1;  // beyond the short string
    }
  }
  return n;
}

void BM_RtfLesen(benchmark::State& state) {
  const std::string text = Erzeugen(state.range(0), static_cast<std::size_t>(state.range(1)) << 20);
  std::size_t modell = 0;
  for (auto _ : state) {
    const pegel::RtfDokument dok = pegel::RtfLesen(text);
    benchmark::DoNotOptimize(dok.Absaetze.data());
    state.PauseTiming();
    modell = ModellBytes(dok);
    state.ResumeTiming();
  }
  state.counters["modell_MB"] = static_cast<double>(modell) / 1048576.0;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_RtfLesen)
    ->ArgNames({"art", "MB"})
    ->ArgsProduct({{Bericht, Klammern, Wechsel, Absaetze, Escapes, KeinRtf}, {1, 16}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
