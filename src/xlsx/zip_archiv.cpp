#include "zip_archiv.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <ostream>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace pegel {

namespace {

// Level 1: a sheet is mostly repeated markup, which the fastest level already finds; the
// higher levels cost several times the time for a tenth less size.
constexpr int Stufe = 1;
// Pieces in flight per compressing thread: one being compressed, one waiting.
constexpr std::size_t ProThread = 2;
// 01.01.1980 00:00, the earliest time the format has: the archive does not depend on
// the clock.
constexpr std::uint16_t DosDatum = (1 << 5) | 1;
constexpr std::uint16_t DosZeit = 0;

void Le16(std::string& s, std::uint64_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Le32(std::string& s, std::uint64_t v) {
  Le16(s, v & 0xFFFF);
  Le16(s, (v >> 16) & 0xFFFF);
}
void Le64(std::string& s, std::uint64_t v) {
  Le32(s, v & 0xFFFFFFFF);
  Le32(s, v >> 32);
}
std::uint32_t Feld32(std::uint64_t v) {
  return v >= ZipArchiv::Grenze32 ? 0xFFFFFFFF : static_cast<std::uint32_t>(v);
}

// One raw deflate stream, set up once and reset per piece.
class Deflater {
 public:
  Deflater() {
    const int r = deflateInit2(&z_, Stufe, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    if (r == Z_MEM_ERROR) throw std::bad_alloc();
    if (r != Z_OK) throw std::runtime_error("zlib: deflateInit2 " + std::to_string(r));
  }
  ~Deflater() { deflateEnd(&z_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  z_stream* get() { return &z_; }

 private:
  z_stream z_{};
};

}  // namespace

// A piece of a streamed entry: its input, and once compressed its output and checksum.
struct ZipArchiv::Auftrag {
  std::vector<char> ein;
  std::size_t einLaenge = 0;
  std::vector<unsigned char> aus;
  std::size_t ausLaenge = 0;
  std::uint32_t crc = 0;
  bool letztes = false;  // ends the deflate stream
  bool fertig = false;
  std::exception_ptr fehler;
};

namespace {

// Compresses one piece as a run of deflate blocks that ends on a byte boundary (a sync
// flush), or with the final block for the entry's last piece. Such runs, compressed
// without each other's history, join into one valid deflate stream.
void Packen(z_stream* z, const char* ein, std::size_t einLaenge, std::vector<unsigned char>& aus,
            std::size_t& ausLaenge, bool letztes, std::uint32_t& crc) {
  // zlib counts in 32 bits: a larger piece is handed over in parts.
  constexpr std::size_t Portion = std::size_t{1} << 30;
  crc = static_cast<std::uint32_t>(crc32_z(0, reinterpret_cast<const Bytef*>(ein), einLaenge));
  if (deflateReset(z) != Z_OK) throw std::runtime_error("zlib: deflateReset");
  // The bound holds for a finished stream; a sync flush adds a few bytes.
  const std::size_t bedarf = deflateBound(z, static_cast<uLong>(std::min(einLaenge, Portion))) + 64;
  if (aus.size() < bedarf) aus.resize(bedarf);
  // zlib only reads the input; its interface is not const.
  z->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(ein));
  z->avail_in = 0;
  std::size_t rest = einLaenge;
  std::size_t belegt = 0;
  for (;;) {
    if (z->avail_in == 0 && rest > 0) {
      z->avail_in = static_cast<uInt>(std::min(rest, Portion));
      rest -= z->avail_in;
    }
    if (belegt == aus.size()) aus.resize(aus.size() + std::min(aus.size(), Portion));
    z->next_out = aus.data() + belegt;
    z->avail_out = static_cast<uInt>(std::min(aus.size() - belegt, Portion));
    const int r = deflate(z, rest > 0 ? Z_NO_FLUSH : letztes ? Z_FINISH : Z_SYNC_FLUSH);
    if (r == Z_STREAM_ERROR) throw std::runtime_error("zlib: deflate");
    belegt = static_cast<std::size_t>(z->next_out - aus.data());
    // Done when all input is in and the flush fitted (zlib leaves room behind it).
    if (rest == 0 && z->avail_in == 0 && (letztes ? r == Z_STREAM_END : z->avail_out != 0)) break;
  }
  ausLaenge = belegt;
}

}  // namespace

// The compressing threads and the pieces in flight, in the order they were handed in.
struct ZipArchiv::Packer {
  std::mutex m;
  std::condition_variable arbeit;  // a piece to compress, or halt
  std::condition_variable erledigt;
  std::deque<std::unique_ptr<Auftrag>> reihe;  // in flight, in order
  std::deque<Auftrag*> offen;                  // not yet taken by a thread
  std::vector<std::unique_ptr<Auftrag>> vorrat;
  bool halt = false;
  Deflater eigener;  // for whole entries, and for everything without threads
  std::vector<std::unique_ptr<Deflater>> deflater;
  std::vector<std::thread> threads;

  explicit Packer(unsigned anzahl) {
    if (anzahl <= 1) return;
    for (unsigned i = 0; i < anzahl; ++i) deflater.push_back(std::make_unique<Deflater>());
    // Reserved first: once a thread runs, nothing but starting the next one may throw.
    threads.reserve(anzahl);
    for (unsigned i = 0; i < anzahl; ++i) {
      try {
        threads.emplace_back([this, d = deflater[i].get()] { Arbeiten(*d); });
      } catch (const std::system_error&) {
        // No more threads to be had: the ones running (or the caller) do the work.
        break;
      }
    }
  }
  ~Packer() {
    {
      const std::lock_guard<std::mutex> l(m);
      halt = true;
    }
    arbeit.notify_all();
    for (std::thread& t : threads) t.join();
  }
  Packer(const Packer&) = delete;
  Packer& operator=(const Packer&) = delete;

  std::size_t Hoechstens() const { return std::max<std::size_t>(1, ProThread * threads.size()); }

  void Arbeiten(Deflater& d) {
    std::unique_lock<std::mutex> l(m);
    for (;;) {
      arbeit.wait(l, [&] { return halt || !offen.empty(); });
      if (halt) return;
      Auftrag* a = offen.front();
      offen.pop_front();
      l.unlock();
      try {
        ZipArchiv::Packer::Packe(d.get(), *a);
      } catch (...) {
        a->fehler = std::current_exception();
      }
      l.lock();
      a->fertig = true;
      erledigt.notify_all();
    }
  }

  static void Packe(z_stream* z, Auftrag& a) {
    Packen(z, a.ein.data(), a.einLaenge, a.aus, a.ausLaenge, a.letztes, a.crc);
  }

  void Einreihen(std::unique_ptr<Auftrag> a) {
    if (threads.empty()) {
      Packe(eigener.get(), *a);
      a->fertig = true;
      reihe.push_back(std::move(a));
      return;
    }
    a->fertig = false;
    {
      const std::lock_guard<std::mutex> l(m);
      offen.push_back(a.get());
      reihe.push_back(std::move(a));
    }
    arbeit.notify_one();
  }

  // The oldest piece in flight once it is compressed; its error, if any, is rethrown.
  std::unique_ptr<Auftrag> Vorderstes() {
    std::unique_lock<std::mutex> l(m);
    erledigt.wait(l, [&] { return reihe.front()->fertig; });
    std::unique_ptr<Auftrag> a = std::move(reihe.front());
    reihe.pop_front();
    l.unlock();
    if (a->fehler) std::rethrow_exception(a->fehler);
    return a;
  }

  std::unique_ptr<Auftrag> Neu() {
    if (vorrat.empty()) return std::make_unique<Auftrag>();
    std::unique_ptr<Auftrag> a = std::move(vorrat.back());
    vorrat.pop_back();
    a->fehler = nullptr;
    return a;
  }
};

ZipArchiv::ZipArchiv(std::ostream& aus, unsigned threads, std::size_t stueck)
    : aus_(aus), stueck_(std::max<std::size_t>(stueck, 1)) {
  if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
  packer_ = std::make_unique<Packer>(threads);
}

ZipArchiv::~ZipArchiv() = default;

std::uint64_t ZipArchiv::LetzteGepackt() const {
  return eintraege_.empty() ? 0 : eintraege_.back().gepackt;
}
std::uint64_t ZipArchiv::LetzteRoh() const {
  return eintraege_.empty() ? 0 : eintraege_.back().roh;
}

void ZipArchiv::Schreiben(std::string_view bytes) {
  aus_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!aus_) {
    const int e = errno;
    throw std::system_error(e != 0 ? std::error_code(e, std::generic_category())
                                   : std::make_error_code(std::errc::io_error),
                            "ZIP-Archiv");
  }
}

std::uint64_t ZipArchiv::Position() {
  const std::streamoff p = aus_.tellp();
  if (p < 0) throw std::system_error(std::make_error_code(std::errc::io_error), "ZIP-Archiv");
  return static_cast<std::uint64_t>(p);
}

void ZipArchiv::KopfSchreiben(const Eintragsdaten& e) {
  std::string k;
  Le32(k, 0x04034b50);
  Le16(k, e.zip64 ? 45 : 20);  // version needed: deflate 2.0, 64-bit extension 4.5
  Le16(k, 0);                  // flags: sizes stand in this header
  Le16(k, 8);                  // deflate
  Le16(k, DosZeit);
  Le16(k, DosDatum);
  Le32(k, e.crc);
  Le32(k, e.zip64 ? 0xFFFFFFFF : e.gepackt);
  Le32(k, e.zip64 ? 0xFFFFFFFF : e.roh);
  Le16(k, e.name.size());
  Le16(k, e.zip64 ? 20 : 0);
  k += e.name;
  if (e.zip64) {
    Le16(k, 0x0001);
    Le16(k, 16);
    Le64(k, e.roh);
    Le64(k, e.gepackt);
  }
  Schreiben(k);
}

void ZipArchiv::Eintrag(std::string_view name, std::string_view inhalt) {
  if (offen_ || fertig_) throw std::logic_error("ZipArchiv::Eintrag");
  Eintragsdaten e;
  e.name = name;
  e.kopf = Position();
  std::vector<unsigned char> aus;
  std::size_t ausLaenge = 0;
  Packen(packer_->eigener.get(), inhalt.data(), inhalt.size(), aus, ausLaenge, true, e.crc);
  e.roh = inhalt.size();
  e.gepackt = ausLaenge;
  e.zip64 = e.roh >= Grenze32 || e.gepackt >= Grenze32;
  KopfSchreiben(e);
  Schreiben(std::string_view(reinterpret_cast<const char*>(aus.data()), ausLaenge));
  eintraege_.push_back(std::move(e));
}

void ZipArchiv::Beginnen(std::string_view name, std::uint64_t hoechstens) {
  if (offen_ || fertig_) throw std::logic_error("ZipArchiv::Beginnen");
  Eintragsdaten e;
  e.name = name;
  e.kopf = Position();
  // Deflate grows incompressible input by a few bytes per 16 KiB block, and every piece
  // adds a flush of at most 10 bytes: with whole pieces, far less than a 64th.
  e.zip64 = hoechstens >= Grenze32 - Grenze32 / 64;
  KopfSchreiben(e);
  eintraege_.push_back(std::move(e));
  offen_ = true;
  aktuell_ = packer_->Neu();
  anfang_ = pos_ = ende_ = nullptr;
  Weiter(0);
}

char* ZipArchiv::Weiter(std::size_t n) {
  if (!offen_) throw std::logic_error("ZipArchiv::Platz");
  if (pos_ != anfang_) {
    Abgeben(false);
    aktuell_ = packer_->Neu();
  }
  std::vector<char>& ein = aktuell_->ein;
  if (ein.size() < std::max(stueck_, n)) ein.resize(std::max(stueck_, n));
  anfang_ = pos_ = ein.data();
  // A piece is handed on once it holds stueck_ bytes, even when its buffer is larger.
  ende_ = anfang_ + std::max(stueck_, n);
  return pos_;
}

void ZipArchiv::Anhaengen(std::string_view text) {
  while (!text.empty()) {
    // The piece is filled up before the next one begins.
    if (pos_ == ende_) Weiter(1);
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(ende_ - pos_));
    pos_ = std::copy_n(text.data(), n, pos_);
    text.remove_prefix(n);
  }
}

void ZipArchiv::Abgeben(bool letztes) {
  aktuell_->einLaenge = static_cast<std::size_t>(pos_ - anfang_);
  aktuell_->letztes = letztes;
  anfang_ = pos_ = ende_ = nullptr;
  packer_->Einreihen(std::move(aktuell_));
  // Write what is done in order, and wait when too much is in flight.
  while (!packer_->reihe.empty()) {
    bool bereit;
    {
      const std::lock_guard<std::mutex> l(packer_->m);
      bereit = packer_->reihe.front()->fertig;
    }
    if (!bereit && !letztes && packer_->reihe.size() <= packer_->Hoechstens()) break;
    std::unique_ptr<Auftrag> a = packer_->Vorderstes();
    Ausschreiben(*a);
    packer_->vorrat.push_back(std::move(a));
  }
}

void ZipArchiv::Ausschreiben(Auftrag& a) {
  Eintragsdaten& e = eintraege_.back();
  Schreiben(std::string_view(reinterpret_cast<const char*>(a.aus.data()), a.ausLaenge));
  e.crc =
      static_cast<std::uint32_t>(crc32_combine(e.crc, a.crc, static_cast<z_off_t>(a.einLaenge)));
  e.roh += a.einLaenge;
  e.gepackt += a.ausLaenge;
}

void ZipArchiv::Beenden() {
  if (!offen_) throw std::logic_error("ZipArchiv::Beenden");
  Abgeben(true);
  offen_ = false;
  const Eintragsdaten& e = eintraege_.back();
  if (!e.zip64 && (e.roh >= Grenze32 || e.gepackt >= Grenze32)) {
    throw std::logic_error("ZipArchiv: Eintrag groesser als angekuendigt");
  }
  // The local header now gets its checksum and sizes.
  const std::uint64_t schluss = Position();
  aus_.seekp(static_cast<std::streamoff>(e.kopf));
  KopfSchreiben(e);
  aus_.seekp(static_cast<std::streamoff>(schluss));
  Schreiben({});
}

void ZipArchiv::Abschliessen() {
  if (offen_ || fertig_) throw std::logic_error("ZipArchiv::Abschliessen");
  const std::uint64_t verzeichnis = Position();
  std::string v;
  for (const Eintragsdaten& e : eintraege_) {
    // Each field that does not fit goes into the 64-bit extra field, in this order; the
    // others stay as they are. Readers that take the 64-bit local header but not the
    // 64-bit directory (some do) read such an entry as long as it is below 4 GiB.
    std::string werte;
    if (e.roh >= Grenze32) Le64(werte, e.roh);
    if (e.gepackt >= Grenze32) Le64(werte, e.gepackt);
    if (e.kopf >= Grenze32) Le64(werte, e.kopf);
    std::string extra;
    if (!werte.empty()) {
      Le16(extra, 0x0001);
      Le16(extra, werte.size());
      extra += werte;
    }
    const unsigned version = e.zip64 || !werte.empty() ? 45 : 20;
    Le32(v, 0x02014b50);
    Le16(v, version);  // made by: the same version, MS-DOS attributes
    Le16(v, version);
    Le16(v, 0);
    Le16(v, 8);
    Le16(v, DosZeit);
    Le16(v, DosDatum);
    Le32(v, e.crc);
    Le32(v, Feld32(e.gepackt));
    Le32(v, Feld32(e.roh));
    Le16(v, e.name.size());
    Le16(v, extra.size());
    Le16(v, 0);  // comment
    Le16(v, 0);  // disk
    Le16(v, 0);  // internal attributes
    Le32(v, 0);  // external attributes
    Le32(v, Feld32(e.kopf));
    v += e.name;
    v += extra;
  }
  const std::uint64_t groesse = v.size();
  // The 64-bit end records only when the plain one cannot hold the directory.
  if (eintraege_.size() >= 0xFFFF || verzeichnis >= Grenze32 || groesse >= Grenze32) {
    const std::uint64_t ende64 = verzeichnis + groesse;
    Le32(v, 0x06064b50);
    Le64(v, 44);  // the record's size after this field
    Le16(v, 45);
    Le16(v, 45);
    Le32(v, 0);
    Le32(v, 0);
    Le64(v, eintraege_.size());
    Le64(v, eintraege_.size());
    Le64(v, groesse);
    Le64(v, verzeichnis);
    Le32(v, 0x07064b50);
    Le32(v, 0);
    Le64(v, ende64);
    Le32(v, 1);
  }
  const std::uint64_t anzahl = std::min<std::uint64_t>(eintraege_.size(), 0xFFFF);
  Le32(v, 0x06054b50);
  Le16(v, 0);
  Le16(v, 0);
  Le16(v, anzahl);
  Le16(v, anzahl);
  Le32(v, Feld32(groesse));
  Le32(v, Feld32(verzeichnis));
  Le16(v, 0);
  Schreiben(v);
  fertig_ = true;
}

}  // namespace pegel
