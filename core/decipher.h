// The model names the Detail Setting page shows are stored enciphered and
// turned into text only when the page needs them.
#pragma once

#include <cstdint>
#include <string>

struct EncipheredEntry {
  const char* text;  // capital letters, two per enciphered byte
  uint16_t key;      // starting value of the running key
};

constexpr int kEncipheredEntryCount = 14;
// Entries 0..12: the model list's items in catalogue order;
// entry 13: the "Printer Name" box when the page opens.
extern const EncipheredEntry kEncipheredEntries[kEncipheredEntryCount];
constexpr int kInitialPrinterNameEntry = 13;

extern const uint16_t kKeyMultiplier;
extern const uint16_t kKeyIncrement;

// Only the low 16 bits of key are used. Never fails: any text is accepted.
std::string DecipherName(const std::string& text, unsigned key);

// The inverse, used by the tool that made the stored entries.
std::string EncipherName(const std::string& plain, unsigned key);

std::string DecipherEntry(int entry);
