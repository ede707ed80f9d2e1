// Fuzz target: any text as a typed length. The conversions never fail other
// than by ConversionError, and every value that converts writes a text that
// converts back to the same value.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/pubfunc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  tralvin::TPubFunc f;
  try {
    int32_t v = f.ExtStrToInt(tralvin::FractionText(text));
    if (f.ExtStrToInt(f.IntToExtStr(v)) != v) std::abort();
  } catch (const tralvin::ConversionError&) {
  }
  int32_t n;
  if (tralvin::TryStrToInt(text, n) && tralvin::StrToInt(std::to_string(n)) != n) std::abort();
  return 0;
}
