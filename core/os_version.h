// Which Windows release the program runs on, as a small code the pages use.
#pragma once

#include <cstdint>
#include <optional>

// 0: not classified; 1 Windows 95; 2 Windows 98/Me; 3 NT 4.0 and earlier;
// 4 Windows 2000 (and unknown platforms); 5 XP; 6 Server 2003; 7 Vista;
// 8 Windows 7; 9 Windows 8 (and every later release that reports 6.2).
using OsKind = int;

struct VersionNumbers {
  uint32_t platformId;
  uint32_t major;
  uint32_t minor;
};

// The pure mapping; nullopt means "leave the code as it was".
std::optional<OsKind> ClassifyVersion(const VersionNumbers& v);

// Asks the system for its version with a record of the given size in bytes
// (156 for the extended record, 148 for the older one); nullopt on failure.
class IVersionQuery {
 public:
  virtual ~IVersionQuery() = default;
  virtual std::optional<VersionNumbers> Query(uint32_t recordSize) = 0;
};

constexpr uint32_t kVersionInfoExSize = 156;
constexpr uint32_t kVersionInfoSize = 148;

// Queries with the extended record, falls back to the older one, and stores
// the code in osKind when one is found; otherwise osKind keeps its value.
void ClassifyOperatingSystem(IVersionQuery& query, OsKind& osKind);

// Whether "Completed!" is shown after a finished install on this system.
bool IsNtFamily(OsKind kind);
