#include "engine/result_file/shift_jis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace zembra {
namespace {

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the UTF-8 sequence starting with `lead` (1 for a stray byte).
std::size_t sequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

class Converter {
 public:
  Converter() : handle_(iconv_open("CP932", "UTF-8")) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error("code page 932 is not available");
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string convert(std::string_view utf8) {
    std::string out;
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    while (inLeft > 0) {
      char buffer[256];
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t done = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
        // Not representable or not UTF-8: one "?" for the character.
        const std::size_t skip = std::min(inLeft, sequenceLength(static_cast<unsigned char>(*in)));
        in += skip;
        inLeft -= skip;
        out += '?';
        lossy_ = true;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }
  // Whether a character had to be replaced by "?".
  bool lossy() const { return lossy_; }

 private:
  iconv_t handle_;
  bool lossy_ = false;
};

}  // namespace

std::string toShiftJis(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  Converter converter;
  return converter.convert(utf8);
}

bool fitsShiftJis(std::string_view utf8) {
  if (isAscii(utf8)) return true;
  Converter converter;
  converter.convert(utf8);
  return !converter.lossy();
}

}  // namespace zembra
