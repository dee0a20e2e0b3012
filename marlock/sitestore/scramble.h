// The password scrambling of the site file, and the generator behind it.
// Portable: no Windows headers. The file format depends on the exact
// sequence of masks, so nothing here depends on the compiler, its floating
// point unit or its library.
#pragma once
#include <cstdint>
#include <string>

namespace marlock {

// A 24-bit linear congruential generator that can be restarted from a seed
// and then yields a fixed sequence of single-precision values in [0, 1).
class MaskGenerator {
 public:
  static constexpr uint32_t kModulusMask = 0xFFFFFF;  // 2^24 - 1
  static constexpr uint32_t kMultiplier = 0x43FD43FD;
  static constexpr uint32_t kIncrement = 0xC39EC3;

  // Restarts from a negative seed: the state comes from the seed's bit
  // pattern as a single-precision number, then one value is drawn and
  // returned (callers that only restart discard it).
  float Restart(int16_t iSeed);
  // Starts from the seconds since midnight (the macro file's name).
  void SeedFromTimeOfDay(uint32_t uSeconds) { state_ = uSeconds & kModulusMask; }

  // The next value, state / 2^24; exact in single precision.
  float Next();
  // The next raw state (0 to 2^24 - 1); Next() is this divided by 2^24.
  uint32_t NextState();

  uint32_t State() const { return state_; }

 private:
  uint32_t state_ = 0;
};

// The bit pattern of a whole number as an IEEE-754 single-precision value,
// computed without floating point (exact for |v| < 2^24).
constexpr uint32_t SingleBitsOfWholeNumber(int32_t iValue) {
  if (iValue == 0) return 0;
  uint32_t sign = iValue < 0 ? 0x80000000u : 0u;
  uint32_t mag = iValue < 0 ? static_cast<uint32_t>(-static_cast<int64_t>(iValue))
                            : static_cast<uint32_t>(iValue);
  int top = 31;
  while (!(mag & (1u << top))) --top;
  uint32_t mantissa = (mag << (23 - top)) & 0x7FFFFF;
  return sign | (static_cast<uint32_t>(top + 127) << 23) | mantissa;
}

// The state a restart with a negative seed sets before its one draw.
constexpr uint32_t RestartState(int16_t iSeed) {
  uint32_t b = SingleBitsOfWholeNumber(iSeed);
  return (b + (b >> 24)) & MaskGenerator::kModulusMask;
}

constexpr uint32_t NextStateAfter(uint32_t uState) {
  return (uState * MaskGenerator::kMultiplier + MaskGenerator::kIncrement) &
         MaskGenerator::kModulusMask;
}

// floor(r * 127) as single-precision arithmetic gives it for r = state / 2^24:
// the product state * 127 rounded to 24 significant bits (ties to even),
// then the whole part. Integer-only, so every build agrees.
constexpr int MaskOfState(uint32_t uState) {
  uint64_t p = static_cast<uint64_t>(uState) * 127u;
  int bits = 0;
  for (uint64_t v = p; v; v >>= 1) ++bits;
  if (bits > 24) {
    int shift = bits - 24;
    uint64_t unit = uint64_t{1} << shift;
    uint64_t q = p >> shift;
    uint64_t rest = p & (unit - 1);
    uint64_t half = unit >> 1;
    if (rest > half || (rest == half && (q & 1))) ++q;
    p = q << shift;
  }
  return static_cast<int>(p >> 24);
}

// The fixed seed of the password scrambler.
inline constexpr int16_t kScrambleSeed = -2417;

// The mask of one position of a scrambled text, computed from the start
// (for compile-time checks; ScrambleMasks walks the sequence once).
constexpr int ScrambleMaskAt(int iPosition) {
  uint32_t state = NextStateAfter(RestartState(kScrambleSeed));  // the discarded draw
  for (int i = 0;; ) {
    state = NextStateAfter(state);
    int k = MaskOfState(state);
    if (k < 30 || k > 100) continue;
    if (i++ == iPosition) return k;
  }
}

// Draws masks for the scrambler: values below 30 or above 100 are drawn
// again, so every mask lies in 30..100.
class ScrambleMasks {
 public:
  ScrambleMasks();  // restarts the generator from kScrambleSeed
  int Next();

 private:
  MaskGenerator gen_;
};

// Scrambles a password for the site file (bScrambling true) or unscrambles
// one read from it (false). Every character is XORed with the mask of its
// position; in scrambling mode a result of 10 (line feed) is stored as 1, and
// in unscrambling mode a stored 1 reads back as ".". The result has as many
// characters as the text. Characters are bytes of the ANSI code page.
std::string ScramblePassword(const std::string& sText, bool bScrambling);

// The exact scrambled bytes, without the line-feed substitution: XORing
// again gives the text back at every position.
std::string ScrambleExact(const std::string& sText);

}  // namespace marlock
