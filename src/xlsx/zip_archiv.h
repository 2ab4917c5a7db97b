// A ZIP archive written front to back into a stream, every entry deflated: the container
// of an Office Open XML workbook. A large entry is streamed in pieces and never held whole;
// its pieces are compressed independently on several threads and joined in order, so the
// bytes of the archive do not depend on the number of threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pegel {

class ZipArchiv {
 public:
  // Input bytes per independently compressed piece of a streamed entry: large enough that
  // starting each piece without the previous one's history costs next to nothing.
  static constexpr std::size_t StueckGroesse = std::size_t{1} << 21;
  // The largest value of a 32-bit size or offset field; from here on the 64-bit extension.
  static constexpr std::uint64_t Grenze32 = 0xFFFFFFFF;

  // Writes to `aus`, which must be seekable: a local header gets its sizes and checksum
  // once its entry is complete. `threads` compressing threads for streamed entries (0: one
  // per core; 1: the calling thread compresses), `stueck` input bytes per piece (tests
  // choose small pieces). A thread that cannot be started leaves its work to the others.
  // Throws std::bad_alloc, std::runtime_error when zlib cannot be set up.
  explicit ZipArchiv(std::ostream& aus, unsigned threads = 0, std::size_t stueck = StueckGroesse);
  // Stops and joins the compressing threads, whatever state the archive is in.
  ~ZipArchiv();
  ZipArchiv(const ZipArchiv&) = delete;
  ZipArchiv& operator=(const ZipArchiv&) = delete;

  // Every function below throws std::system_error with the reason (errno) when the stream
  // fails, std::runtime_error when zlib fails, std::logic_error when called out of order
  // or when a streamed entry exceeds the bound it was begun with, and std::bad_alloc.

  // A whole entry in one call.
  void Eintrag(std::string_view name, std::string_view inhalt);

  // A streamed entry: Beginnen, then its bytes through Platz/Belegt or Anhaengen, then
  // Beenden. `hoechstens` bounds the entry's uncompressed size from above; a bound within
  // a 64th of 4 GiB gives the entry the 64-bit extension, which old readers do not take,
  // so the bound should be close.
  void Beginnen(std::string_view name, std::uint64_t hoechstens);
  // Room for at least `n` bytes at the returned position: the caller writes there and
  // hands the end of what it wrote to Belegt. Inline, as a sheet asks for it per cell.
  char* Platz(std::size_t n) {
    return static_cast<std::size_t>(ende_ - pos_) >= n ? pos_ : Weiter(n);
  }
  void Belegt(char* ende) { pos_ = ende; }
  void Anhaengen(std::string_view text);
  void Beenden();

  // Writes the central directory and the end records. The archive is complete once the
  // stream has taken them.
  void Abschliessen();

  // Compressed and uncompressed size of the last completed entry.
  std::uint64_t LetzteGepackt() const;
  std::uint64_t LetzteRoh() const;

 private:
  struct Eintragsdaten {
    std::string name;
    std::uint64_t kopf = 0;  // offset of the local header
    std::uint32_t crc = 0;
    std::uint64_t gepackt = 0;
    std::uint64_t roh = 0;
    bool zip64 = false;
  };
  struct Auftrag;
  struct Packer;

  char* Weiter(std::size_t n);
  void Abgeben(bool letztes);
  void Ausschreiben(Auftrag& a);
  void KopfSchreiben(const Eintragsdaten& e);
  void Schreiben(std::string_view bytes);
  std::uint64_t Position();

  std::ostream& aus_;
  std::size_t stueck_;
  std::unique_ptr<Packer> packer_;
  std::vector<Eintragsdaten> eintraege_;
  bool offen_ = false;                // a streamed entry is open
  bool fertig_ = false;               // the central directory is written
  std::unique_ptr<Auftrag> aktuell_;  // the piece being filled
  char* anfang_ = nullptr;
  char* pos_ = nullptr;
  char* ende_ = nullptr;
};

}  // namespace pegel
