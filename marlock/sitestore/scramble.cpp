#include "sitestore/scramble.h"

namespace marlock {

// The first states and masks after a restart with the scrambler's seed. A
// password scrambled by one build must read back in every other one, so
// they are pinned here, at compile time, in every build.
static_assert(SingleBitsOfWholeNumber(-2417) == 0xC5171000u, "bits of -2417.0f");
static_assert(RestartState(kScrambleSeed) == 0x1710C5u, "restart state");
static_assert(NextStateAfter(0x1710C5u) == 0xA3C074u, "the discarded draw");
static_assert(ScrambleMaskAt(0) == 76 && ScrambleMaskAt(1) == 39 && ScrambleMaskAt(2) == 46 &&
                  ScrambleMaskAt(3) == 49 && ScrambleMaskAt(4) == 92 && ScrambleMaskAt(5) == 76 &&
                  ScrambleMaskAt(6) == 43 && ScrambleMaskAt(7) == 67,
              "the first masks of the scrambler");

float MaskGenerator::Restart(int16_t iSeed) {
  state_ = RestartState(iSeed);
  return Next();
}

uint32_t MaskGenerator::NextState() {
  state_ = NextStateAfter(state_);
  return state_;
}

float MaskGenerator::Next() {
  // state < 2^24, so the quotient is exact in single precision.
  return static_cast<float>(NextState()) * (1.0f / 16777216.0f);
}

ScrambleMasks::ScrambleMasks() { gen_.Restart(kScrambleSeed); }

int ScrambleMasks::Next() {
  for (;;) {
    int k = MaskOfState(gen_.NextState());
    if (k >= 30 && k <= 100) return k;
  }
}

std::string ScramblePassword(const std::string& sText, bool bScrambling) {
  ScrambleMasks masks;
  std::string result;
  result.reserve(sText.size());
  for (char ch : sText) {
    const unsigned c = static_cast<unsigned char>(ch);
    unsigned x = c ^ static_cast<unsigned>(masks.Next());
    if (bScrambling && x == 10) x = 1;
    if (!bScrambling && c == 1) x = 46;
    result.push_back(static_cast<char>(x));
  }
  return result;
}

std::string ScrambleExact(const std::string& sText) {
  ScrambleMasks masks;
  std::string result;
  result.reserve(sText.size());
  for (char ch : sText) {
    result.push_back(
        static_cast<char>(static_cast<unsigned char>(ch) ^ static_cast<unsigned>(masks.Next())));
  }
  return result;
}

}  // namespace marlock
