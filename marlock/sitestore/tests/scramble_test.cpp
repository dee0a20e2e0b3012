// The scrambler and its generator. These run natively and in the Windows
// builds: a password scrambled by one build must read back in the others.
#include "sitestore/scramble.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using marlock::MaskGenerator;
using marlock::ScramblePassword;

TEST(MaskGenerator, RestartFromTheScramblerSeed) {
  MaskGenerator gen;
  const float r = gen.Restart(marlock::kScrambleSeed);
  EXPECT_EQ(r, static_cast<float>(0xA3C074) / 16777216.0f);
  // The same seed gives the same sequence again.
  const float a = gen.Next(), b = gen.Next();
  gen.Restart(marlock::kScrambleSeed);
  EXPECT_EQ(gen.Next(), a);
  EXPECT_EQ(gen.Next(), b);
}

TEST(MaskGenerator, FirstStatesAndMasks) {
  MaskGenerator gen;
  gen.Restart(marlock::kScrambleSeed);
  const uint32_t kStates[] = {0x9B2D67, 0xCC728E, 0x21FF19, 0xD54578, 0x4FAE5B, 0x13BFB2};
  const int kMasks[] = {76, 101, 16, 105, 39, 9};
  for (int i = 0; i < 6; ++i) {
    const uint32_t state = gen.NextState();
    EXPECT_EQ(state, kStates[i]) << i;
    EXPECT_EQ(marlock::MaskOfState(state), kMasks[i]) << i;
  }
  // Values below 30 or above 100 are drawn again.
  marlock::ScrambleMasks masks;
  const int kScrambleMasks[] = {76, 39, 46, 49, 92, 76, 43, 67, 34, 64, 45, 85, 55, 91, 64, 78};
  for (int k : kScrambleMasks) EXPECT_EQ(masks.Next(), k);
}

// The integer form of floor(r * 127) agrees with single-precision
// arithmetic of this build for every state the generator can reach.
TEST(MaskGenerator, MaskAgreesWithSinglePrecisionEverywhere) {
  long mismatches = 0;
  for (uint32_t s = 0; s <= MaskGenerator::kModulusMask; ++s) {
    volatile float r = static_cast<float>(s) * (1.0f / 16777216.0f);
    volatile float p = r * 127.0f;
    if (static_cast<int>(std::floor(static_cast<float>(p))) != marlock::MaskOfState(s)) ++mismatches;
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(MaskGenerator, TimeOfDaySeed) {
  MaskGenerator gen;
  gen.SeedFromTimeOfDay(3600);
  EXPECT_EQ(gen.State(), 3600u);
  EXPECT_EQ(gen.NextState(), marlock::NextStateAfter(3600));
}

TEST(ScramblePassword, KnownText) {
  // 's' ^ 76, 'e' ^ 39, 'c' ^ 46 ...
  const std::string scrambled = ScramblePassword("secret", true);
  ASSERT_EQ(scrambled.size(), 6u);
  const int kMasks[] = {76, 39, 46, 49, 92, 76};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(static_cast<unsigned char>(scrambled[i]), ("secret"[i] ^ kMasks[i])) << i;
  }
  EXPECT_EQ(ScramblePassword(scrambled, false), "secret");
}

TEST(ScramblePassword, EmptyText) {
  EXPECT_EQ(ScramblePassword("", true), "");
  EXPECT_EQ(ScramblePassword("", false), "");
}

TEST(ScramblePassword, LineFeedStoredAsOneReadsAsFullStop) {
  // A character that scrambles to 10 at position 0 (mask 76): 10 ^ 76 = 70, "F".
  const std::string scrambled = ScramblePassword("Fab", true);
  EXPECT_EQ(scrambled[0], '\x01');
  EXPECT_EQ(ScramblePassword(scrambled, false), ".ab");
  // A character that scrambles to 1 comes back as "." as well: 1 ^ 76 = 77, "M".
  EXPECT_EQ(ScramblePassword(ScramblePassword("Mab", true), false), ".ab");
  // Nothing else is changed: 13 and 0 are kept as they come out.
  EXPECT_EQ(ScramblePassword(std::string(1, static_cast<char>(13 ^ 76)), true), "\r");
  EXPECT_EQ(ScramblePassword(std::string(1, static_cast<char>(76)), true), std::string(1, '\0'));
}

TEST(ScramblePassword, EveryByteAtEveryPositionRoundTrips) {
  for (int c = 0; c < 256; ++c) {
    const std::string text(64, static_cast<char>(c));
    const std::string exact = marlock::ScrambleExact(text);
    EXPECT_EQ(marlock::ScrambleExact(exact), text) << c;
    const std::string stored = ScramblePassword(text, true);
    ASSERT_EQ(stored.size(), text.size());
    const std::string back = ScramblePassword(stored, false);
    for (size_t i = 0; i < text.size(); ++i) {
      const unsigned x = static_cast<unsigned char>(exact[i]);
      const char expected = (x == 1 || x == 10) ? '.' : text[i];
      EXPECT_EQ(back[i], expected) << "code " << c << " at " << i;
    }
  }
}

}  // namespace
