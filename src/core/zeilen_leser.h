// Reads the lines of a stream block by block, without a string per line: the collector's
// files hold up to a day of lines, and each line is only looked at once.
#pragma once

#include <istream>
#include <string>
#include <string_view>

namespace pegel {

class ZeilenLeser {
 public:
  // The stream is not owned and must outlive the reader.
  explicit ZeilenLeser(std::istream& ein) : ein_(ein) {}

  // The next line without its line break (LF, with a CR before it dropped); a last line
  // without LF counts. The view is valid until the next call. False at the end of the
  // input and after a read error (then Fehler() is true).
  bool Naechste(std::string_view& zeile);
  bool Fehler() const { return fehler_; }

 private:
  static constexpr std::size_t Block = 1 << 20;
  bool Nachladen();

  std::istream& ein_;
  std::string puffer_;
  std::size_t pos_ = 0;
  bool ende_ = false;
  bool fehler_ = false;
};

}  // namespace pegel
