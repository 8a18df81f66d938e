// Makes the enciphered name entries that core/decipher.cpp stores.
//
//   encipher KEY TEXT [KEY TEXT ...]
//
// KEY is a 16-bit number (decimal, or hexadecimal with 0x). Each pair prints
// one line in the form of the kEncipheredEntries table, ready to paste.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "decipher.h"

namespace {

bool ParseKey(const char* arg, unsigned& key) {
  errno = 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(arg, &end, 0);
  if (errno != 0 || end == arg || *end != '\0' || value > 0xFFFF || arg[0] == '-') return false;
  key = static_cast<unsigned>(value);
  return true;
}

// The entries are printed inside a C++ string literal and a // comment.
bool Printable(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F || c == '\\' || c == '"') return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (argc - 1) % 2 != 0) {
    std::fprintf(stderr, "usage: %s KEY TEXT [KEY TEXT ...]\n", argv[0]);
    return 2;
  }
  for (int i = 1; i < argc; i += 2) {
    unsigned key = 0;
    if (!ParseKey(argv[i], key)) {
      std::fprintf(stderr, "encipher: key \"%s\" is not a number from 0 to 0xFFFF\n", argv[i]);
      return 2;
    }
    const std::string plain = argv[i + 1];
    if (!Printable(plain)) {
      std::fprintf(stderr, "encipher: text \"%s\" holds a quote, a backslash or a control character\n",
                   argv[i + 1]);
      return 2;
    }
    const std::string text = EncipherName(plain, key);
    if (DecipherName(text, key) != plain) {
      std::fprintf(stderr, "encipher: \"%s\" does not decipher back\n", argv[i + 1]);
      return 1;
    }
    std::printf("    {\"%s\", 0x%04X},  // %s\n", text.c_str(), key, plain.c_str());
  }
  return 0;
}
