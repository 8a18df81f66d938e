#include "os_version.h"

namespace {
constexpr uint32_t kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr uint32_t kPlatformNt = 2;     // VER_PLATFORM_WIN32_NT
}  // namespace

std::optional<OsKind> ClassifyVersion(const VersionNumbers& v) {
  if (v.platformId == kPlatformWin9x) {
    if (v.major != 4) return std::nullopt;
    if (v.minor == 0) return 1;                  // Windows 95
    if (v.minor == 10 || v.minor == 90) return 2;  // Windows 98, Me
    return std::nullopt;
  }
  if (v.platformId == kPlatformNt) {
    if (v.major <= 4) return 3;
    // 5.x: 2000, XP, Server 2003; 6.x: Vista, 7, 8. Later releases report 6.2
    // to a program without a compatibility manifest, so they count as Windows 8.
    if ((v.major == 5 || v.major == 6) && v.minor <= 2) {
      return static_cast<OsKind>((v.major == 5 ? 4 : 7) + v.minor);
    }
    return std::nullopt;
  }
  return 4;
}

void ClassifyOperatingSystem(IVersionQuery& query, OsKind& osKind) {
  // Systems older than the extended record refuse it; the older record still
  // carries the three numbers we need.
  std::optional<VersionNumbers> v = query.Query(kVersionInfoExSize);
  if (!v) v = query.Query(kVersionInfoSize);
  if (!v) return;
  if (std::optional<OsKind> kind = ClassifyVersion(*v)) osKind = *kind;
}

bool IsNtFamily(OsKind kind) { return kind >= 3 && kind <= 9; }
