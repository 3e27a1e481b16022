#include "engine/result_file/shift_jis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace zembra {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the UTF-8 sequence starting with `lead` (1 for a stray byte).
std::size_t utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

bool isLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes in the Shift-JIS character at `i`: 1 or 2, or 0 when the byte at `i`
// begins none.
std::size_t shiftJisLength(std::string_view bytes, std::size_t i) {
  const auto byte = static_cast<unsigned char>(bytes[i]);
  if (byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF)) return 1;  // ASCII, half-width kana
  if (!isLeadByte(byte) || i + 1 >= bytes.size()) return 0;
  const auto second = static_cast<unsigned char>(bytes[i + 1]);
  return second >= 0x40 && second <= 0xFC && second != 0x7F ? 2 : 0;
}

}  // namespace

// One iconv conversion; on a character it cannot convert, `unconvertible`
// says how many bytes to skip and appends what stands for them.
class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error("code page 932 is not available");
    }
  }
  ~IconvConverter() { iconv_close(handle_); }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  template <typename Unconvertible>
  void convert(std::string_view text, std::string& out, Unconvertible unconvertible) {
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
      char buffer[256];
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t done = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
        const std::size_t skip = std::min(inLeft, unconvertible(in, inLeft, out));
        in += skip;
        inLeft -= skip;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      }
    }
  }

 private:
  iconv_t handle_;
};

namespace {

// UTF-8 to code page 932, "?" for what it cannot hold; whether it could.
std::pair<std::string, bool> encode(std::string_view utf8) {
  IconvConverter converter("CP932", "UTF-8");
  std::string out;
  bool lossy = false;
  converter.convert(utf8, out, [&lossy](const char* at, std::size_t, std::string& text) {
    text += '?';
    lossy = true;
    return utf8Length(static_cast<unsigned char>(*at));
  });
  return {out, !lossy};
}

}  // namespace

std::string toShiftJis(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  return encode(utf8).first;
}

bool fitsShiftJis(std::string_view utf8) { return isAscii(utf8) || encode(utf8).second; }

ShiftJisDecoder::ShiftJisDecoder()
    : converter_(std::make_unique<IconvConverter>("UTF-8", "CP932")) {}
ShiftJisDecoder::~ShiftJisDecoder() = default;

// Runs of whole characters go to iconv; a byte that begins none is replaced
// here, so that it never swallows the byte after it.
std::string ShiftJisDecoder::decode(std::string_view bytes) {
  std::string text;
  const auto unassigned = [](const char* at, std::size_t left, std::string& out) {
    out += kReplacement;
    return shiftJisLength(std::string_view(at, left), 0);
  };
  std::size_t run = 0;  // where the bytes not yet converted begin
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = shiftJisLength(bytes, i);
    if (length > 0) {
      i += length;
      continue;
    }
    converter_->convert(bytes.substr(run, i - run), text, unassigned);
    text += kReplacement;
    run = ++i;
  }
  converter_->convert(bytes.substr(run), text, unassigned);
  return text;
}

std::size_t wholeShiftJisLength(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = shiftJisLength(bytes, i);
    const bool last = i == bytes.size() - 1;
    if (length == 0 && last && isLeadByte(static_cast<unsigned char>(bytes[i]))) return i;
    i += std::max<std::size_t>(length, 1);
  }
  return bytes.size();
}

}  // namespace zembra
