#include "decipher.h"

const uint16_t kKeyMultiplier = 0x6F4D;
const uint16_t kKeyIncrement = 0x3A97;

namespace {

uint16_t NextKey(uint16_t key, uint8_t enciphered) {
  // uint32_t wraps modulo 2^32, a multiple of 2^16, so the low 16 bits are right.
  return static_cast<uint16_t>((uint32_t{key} + enciphered) * kKeyMultiplier + kKeyIncrement);
}

uint8_t HighByte(uint16_t key) { return static_cast<uint8_t>(key >> 8); }

}  // namespace

std::string DecipherName(const std::string& text, unsigned key) {
  std::string plain;
  plain.reserve(text.size() / 2);
  uint16_t k = static_cast<uint16_t>(key);
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    // Two letters are one byte in base 26 with 'A' as 0; 1755 is 26 * 'A' + 'A'.
    const unsigned high = static_cast<unsigned char>(text[i]);
    const unsigned low = static_cast<unsigned char>(text[i + 1]);
    const uint8_t enciphered = static_cast<uint8_t>(26 * high + low - 1755);
    plain.push_back(static_cast<char>(enciphered ^ HighByte(k)));
    k = NextKey(k, enciphered);
  }
  return plain;
}

std::string EncipherName(const std::string& plain, unsigned key) {
  std::string text;
  text.reserve(plain.size() * 2);
  uint16_t k = static_cast<uint16_t>(key);
  for (char c : plain) {
    const uint8_t enciphered = static_cast<uint8_t>(static_cast<unsigned char>(c) ^ HighByte(k));
    text.push_back(static_cast<char>('A' + enciphered / 26));
    text.push_back(static_cast<char>('A' + enciphered % 26));
    k = NextKey(k, enciphered);
  }
  return text;
}

// Made with tools/encipher (arguments: KEY TEXT pairs); make them all again
// after changing a name, a key, kKeyMultiplier or kKeyIncrement.
const EncipheredEntry kEncipheredEntries[kEncipheredEntryCount] = {
    {"EDHHAHIEASINCYEOBHFAAWBDBB", 0x3C71},  // WQ-310 Series
    {"HXCHBFHPJCHZJBIDAFHIGIBBJN", 0x9A04},  // WQ-320 Series
    {"AFHJATAKGIJCGVHXDOAGIADECF", 0x52E8},  // WQ-330 Series
    {"FEBRDDCEDXFGGKJDDKEIASFMES", 0xD1B6},  // WQ-340 Series
    {"DKHLGIFNGQADBRHIHIFCJPJCDK", 0x0F2D},  // WQ-350 Series
    {"BTCDFGCRJNEDFEHHFWCPAJAYIECZ", 0x7A93},  // WQ-350V Series
    {"GXGWHTHDBDGBCAFOJNAUGYJPBI", 0xE458},  // WQ-372 Series
    {"EJFXCYDVICIKIUEDEMINHCBFJK", 0x26CF},  // WQ-374 Series
    {"IQDCHGCNBCDTBJGUHIIXDBGCALJK", 0xB70A},  // WQ-374R Series
    {"BFEWIWEFECDBAQETIZFLITEJJRGD", 0x48E1},  // WQ-K374 Series
    {"FQHCDVAGFGANJIJABADIEGEV", 0xC56C},  // WQ-3T Series
    {"CQERAGITCLBGDEFNIECGCEGN", 0x1397},  // WQ-3D Series
    {"IKCYDTDCFEBUEUIODVAEFEFTBT", 0x8D42},  // WQ-3RC Series
    {"CIDHHPGSGOEMCIDGFVJPFOEGIMGR", 0x6BF5},  // WQ-350V Series
};

std::string DecipherEntry(int entry) {
  if (entry < 0 || entry >= kEncipheredEntryCount) return {};
  return DecipherName(kEncipheredEntries[entry].text, kEncipheredEntries[entry].key);
}
