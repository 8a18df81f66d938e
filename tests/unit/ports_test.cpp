#include "ports.h"

#include <gtest/gtest.h>

namespace {

struct PreselectCase {
  const char* name;
  std::vector<std::string> ports;
  std::optional<size_t> selected;
};

std::vector<std::string> ManyPortsWithCom1At(size_t count, size_t com1Row) {
  std::vector<std::string> ports;
  for (size_t i = 0; i < count; ++i) ports.push_back("NE" + std::to_string(i) + ":");
  ports[com1Row] = "COM1:";
  return ports;
}

TEST(PreselectPortTest, PrefersLpt1ThenCom1ThenFile) {
  const std::optional<size_t> none;
  const PreselectCase cases[] = {
      {"LPT1 in the first row counts", {"LPT1:", "LPT2:", "LPT3:", "COM1:"}, 0},
      {"LPT1 before COM1", {"NUL:", "USB001", "LPT1:", "COM1:"}, 2},
      {"LPT1 wins over an earlier COM1", {"COM1:", "NUL:", "LPT1:"}, 2},
      {"only FILE", {"NUL:", "USB001", "XPS:", "IP_1", "PDF:", "FILE:"}, 5},
      {"COM1 then COM10", {"NUL:", "A:", "B:", "COM1:", "C:", "D:", "E:", "F:", "G:", "COM10:"}, 3},
      {"COM10 then COM1", {"NUL:", "A:", "B:", "COM10:", "C:", "D:", "E:", "F:", "G:", "COM1:"}, 9},
      {"last of one kind wins", {"NUL:", "COM1:", "COM1"}, 2},
      {"lower-case lpt1 is another port", {"NUL:", "lpt1:"}, none},
      {"lower-case lpt1 does not hide FILE", {"lpt1:", "FILE:"}, 1},
      {"LPT1 without a colon", {"NUL:", "LPT1"}, 1},
      {"two colons are not one", {"NUL:", "LPT1::"}, none},
      {"prefix only", {"NUL:", "LPT1_2:", "FILE2:"}, none},
      {"no match", {"NUL:", "USB001", "XPS:"}, none},
      {"no ports", {}, none},
      {"300 ports, match beyond row 256", ManyPortsWithCom1At(300, 280), 280},
  };
  for (const PreselectCase& c : cases) {
    EXPECT_EQ(PreselectPort(c.ports), c.selected) << c.name;
  }
}

}  // namespace
