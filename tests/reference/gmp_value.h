#pragma once

// Owning wrapper around a GMP integer, convertible to mpz_ptr / mpz_srcptr so
// it can be passed straight to the mpz_* functions.

#include <gmp.h>

#include <cstring>
#include <string>

namespace zembra::reference {

class MpzValue {
 public:
  MpzValue() { mpz_init(value_); }
  ~MpzValue() { mpz_clear(value_); }
  MpzValue(const MpzValue&) = delete;
  MpzValue& operator=(const MpzValue&) = delete;

  operator mpz_ptr() { return value_; }
  operator mpz_srcptr() const { return value_; }

 private:
  mpz_t value_;
};

// Base-10 digits of a non-negative integer.
inline std::string decimalString(mpz_srcptr value) {
  std::string text(mpz_sizeinbase(value, 10) + 2, '\0');
  mpz_get_str(text.data(), 10, value);
  text.resize(std::strlen(text.c_str()));
  return text;
}

}  // namespace zembra::reference
