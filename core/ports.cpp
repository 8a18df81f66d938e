#include "ports.h"

namespace {

// The spooler names ports with a trailing colon ("LPT1:"); port monitors may
// not. Anything longer ("COM10:") is another port.
bool IsPort(const std::string& name, const char* kind) {
  return name == kind || name == std::string(kind) + ":";
}

}  // namespace

std::optional<size_t> PreselectPort(const std::vector<std::string>& portNames) {
  std::optional<size_t> lpt1, com1, file;
  for (size_t row = 0; row < portNames.size(); ++row) {
    const std::string& name = portNames[row];
    if (IsPort(name, "LPT1")) lpt1 = row;
    if (IsPort(name, "COM1")) com1 = row;
    if (IsPort(name, "FILE")) file = row;
  }
  if (lpt1) return lpt1;
  if (com1) return com1;
  return file;
}
