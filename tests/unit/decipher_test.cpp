#include "decipher.h"

#include <gtest/gtest.h>

#include <set>

#include "catalogue.h"

namespace {

TEST(DecipherNameTest, PairsOfLettersAreBase26Bytes) {
  struct Case {
    const char* text;
    unsigned key;
    std::string plain;
  };
  const Case cases[] = {
      {"", 0x1234, ""},
      {"Q", 0x1234, ""},                 // a lone letter has no partner
      {"AA", 0, std::string(1, '\0')},   // a zero byte is kept, not an end mark
      {"JV", 0, "\xFF"},                 // 26 * 9 + 21 = 255
      {"ZZ", 0, "\xA3"},                 // 26 * 25 + 25 = 675, low 8 bits 163
      {"aa", 0, "\x60"},                 // other characters go through the formula
      {"AB", 0x4100, "\x40"},            // XOR with the key's high byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecipherName(c.text, c.key), c.plain) << '"' << c.text << '"';
  }
}

TEST(DecipherNameTest, OddLengthIgnoresTheLastLetter) {
  const std::string text = kEncipheredEntries[0].text;
  const unsigned key = kEncipheredEntries[0].key;
  const std::string full = DecipherName(text, key);
  EXPECT_EQ(DecipherName(text + "K", key), full);
  EXPECT_EQ(DecipherName(text.substr(0, 5), key), full.substr(0, 2));
}

TEST(DecipherNameTest, OnlyTheLow16BitsOfTheKeyCount) {
  const std::string text = kEncipheredEntries[3].text;
  const unsigned key = kEncipheredEntries[3].key;
  EXPECT_EQ(DecipherName(text, key + 0x10000u), DecipherName(text, key));
  EXPECT_EQ(DecipherName(text, key + 0xABCD0000u), DecipherName(text, key));
  EXPECT_NE(DecipherName(text, key ^ 0x0100u), DecipherName(text, key));
}

TEST(DecipherNameTest, RunningKeyWrapsModulo65536) {
  // Key 0xFFFF plus the first byte 1 is 0x10000, which wraps to 0, so the
  // next key is the increment alone and the second byte is XORed with its
  // high byte.
  const std::string plain = DecipherName("ABAA", 0xFFFF);
  ASSERT_EQ(plain.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(plain[0]), 0x01 ^ 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(plain[1]), kKeyIncrement >> 8);
}

TEST(DecipherNameTest, ChangingAByteLeavesEarlierOutputAlone) {
  const std::string text = kEncipheredEntries[5].text;
  const unsigned key = kEncipheredEntries[5].key;
  const std::string original = DecipherName(text, key);
  for (size_t j = 0; j < text.size() / 2; ++j) {
    std::string changed = text;
    changed[2 * j + 1] = changed[2 * j + 1] == 'Z' ? 'A' : changed[2 * j + 1] + 1;
    const std::string plain = DecipherName(changed, key);
    ASSERT_EQ(plain.size(), original.size());
    EXPECT_EQ(plain.substr(0, j), original.substr(0, j)) << "byte " << j;
    EXPECT_NE(plain[j], original[j]) << "byte " << j;
  }
}

TEST(DecipherNameTest, SameEntrySameText) {
  for (const EncipheredEntry& e : kEncipheredEntries) {
    EXPECT_EQ(DecipherName(e.text, e.key), DecipherName(e.text, e.key));
  }
}

TEST(DecipherEntryTest, StoredEntriesAreTheModelNames) {
  std::set<uint16_t> keys;
  for (int i = 0; i < kEncipheredEntryCount; ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    const std::string text = kEncipheredEntries[i].text;
    EXPECT_EQ(text.size() % 2, 0u);
    EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos);
    keys.insert(kEncipheredEntries[i].key);
    const char* want = i < ModelCatalogue::kModelCount ? ModelCatalogue::kDisplayNames[i]
                                                       : "WQ-350V Series";
    EXPECT_EQ(DecipherEntry(i), want);
  }
  EXPECT_EQ(keys.size(), static_cast<size_t>(kEncipheredEntryCount)) << "keys must differ";
  EXPECT_EQ(DecipherEntry(kInitialPrinterNameEntry), "WQ-350V Series");
  EXPECT_EQ(DecipherEntry(-1), "");
  EXPECT_EQ(DecipherEntry(kEncipheredEntryCount), "");
}

TEST(EncipherNameTest, RoundTripsAnyBytes) {
  const std::string texts[] = {"", "WQ-3RC Series", std::string("a\0\xFF\x80z", 5)};
  const unsigned keys[] = {0, 1, 0x00FF, 0xFF00, 0xFFFF, 0x12345};
  for (const std::string& plain : texts) {
    for (unsigned key : keys) {
      const std::string text = EncipherName(plain, key);
      EXPECT_EQ(text.size(), plain.size() * 2);
      EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos);
      EXPECT_EQ(DecipherName(text, key), plain) << "key " << key;
    }
  }
}

}  // namespace
