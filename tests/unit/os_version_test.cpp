#include "os_version.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

struct VersionCase {
  uint32_t platformId, major, minor;
  std::optional<OsKind> kind;  // nullopt: the code is left as it was
};

TEST(ClassifyVersionTest, MapsEveryReleaseAndLeavesUnknownOnesAlone) {
  const std::optional<OsKind> noChange;
  const VersionCase cases[] = {
      {1, 4, 0, 1},          // Windows 95
      {1, 4, 10, 2},         // Windows 98
      {1, 4, 90, 2},         // Windows Me
      {1, 4, 1, noChange},   {1, 4, 91, noChange}, {1, 3, 0, noChange},
      {1, 5, 0, noChange},
      {2, 3, 51, 3},         // NT 3.51
      {2, 4, 0, 3},          {2, 0, 7, 3},
      {2, 5, 0, 4},          // Windows 2000
      {2, 5, 1, 5},          {2, 5, 2, 6},         {2, 5, 3, noChange},
      {2, 6, 0, 7},          {2, 6, 1, 8},
      {2, 6, 2, 9},          // Windows 8, and 8.1 and later without a manifest
      {2, 6, 3, noChange},   {2, 10, 0, noChange}, {2, 7, 0, noChange},
      {0, 4, 0, 4},          {3, 9, 9, 4},
      // Unsigned: a "negative" minor is a huge number, not a small one.
      {2, 5, 0xFFFFFFFFu, noChange}, {2, 0xFFFFFFFFu, 0, noChange},
  };
  for (const VersionCase& c : cases) {
    EXPECT_EQ(ClassifyVersion({c.platformId, c.major, c.minor}), c.kind)
        << c.platformId << " " << c.major << "." << c.minor;
  }
}

// Answers each record size from a script and records the sizes asked for.
class ScriptedVersionQuery : public IVersionQuery {
 public:
  std::map<uint32_t, VersionNumbers> answers;
  std::vector<uint32_t> asked;

  std::optional<VersionNumbers> Query(uint32_t recordSize) override {
    asked.push_back(recordSize);
    auto it = answers.find(recordSize);
    if (it == answers.end()) return std::nullopt;
    return it->second;
  }
};

struct QueryCase {
  const char* name;
  std::map<uint32_t, VersionNumbers> answers;
  OsKind before;
  std::vector<uint32_t> asked;
  OsKind after;
};

TEST(ClassifyOperatingSystemTest, QueriesExtendedRecordThenOlderOne) {
  const QueryCase cases[] = {
      {"extended record answers", {{156, {2, 6, 1}}}, 0, {156}, 8},
      {"only the older record answers", {{148, {2, 5, 1}}}, 0, {156, 148}, 5},
      {"both fail: code kept", {}, 7, {156, 148}, 7},
      {"both fail on the first run", {}, 0, {156, 148}, 0},
      {"unknown release keeps an earlier code", {{156, {2, 10, 0}}}, 9, {156}, 9},
      {"unknown release on the first run", {{156, {2, 6, 3}}}, 0, {156}, 0},
  };
  for (const QueryCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedVersionQuery query;
    query.answers = c.answers;
    OsKind kind = c.before;
    ClassifyOperatingSystem(query, kind);
    EXPECT_EQ(query.asked, c.asked);
    EXPECT_EQ(kind, c.after);
  }
}

TEST(IsNtFamilyTest, OnlyCodesThreeToNine) {
  const std::pair<OsKind, bool> cases[] = {{0, false}, {1, false}, {2, false}, {3, true},
                                           {4, true},  {8, true},  {9, true},  {10, false}};
  for (const auto& [kind, nt] : cases) EXPECT_EQ(IsNtFamily(kind), nt) << kind;
}

}  // namespace
