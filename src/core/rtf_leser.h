// Reads the RTF that protocol files are written in (by word processors, WordPad and
// report generators) into an RtfDokument: text, paragraphs, bold, italic, underline, font
// size, text colour and tables as tab-separated rows. Fonts, paragraph layout, pictures,
// fields' instructions, headers, footers and every destination it does not know are left
// out. Standard C++ only, so that the view and the tools share it.
#pragma once

#include <string_view>

#include "rtf_dokument.h"

namespace pegel {

// True when `bytes` begin, after blanks and line breaks, with "{\rtf".
bool IstRtf(std::string_view bytes);

// Reads `bytes` (the whole file; the caller decides how much of a large file to pass).
// 8-bit text, \'xx and raw bytes alike, is taken as Windows-1252 whatever code page the
// file names, since protocol files are written on German Windows; \uN gives any Unicode
// character. Bytes that are not RTF (IstRtf false) become plain text, one paragraph per
// line. Broken input never fails: what was read up to the fault is returned, and
// RtfDokument::Beschaedigt says that something was wrong. Groups deeper than 1000 levels
// are read in the state of level 1000. Time and memory are linear in the size of the
// input. Throws only std::bad_alloc.
RtfDokument RtfLesen(std::string_view bytes);

}  // namespace pegel
