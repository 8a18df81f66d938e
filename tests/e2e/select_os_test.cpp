// The first page marks the Windows version the program runs on.
#include "wizard.h"

namespace e2e {
namespace {

struct ReportedVersion {
  const char* name;
  std::optional<std::wstring> wineVersion;  // nullopt: Wine's default
  int radio;
};

const int kAllRadios[] = {id::kOsVista, id::kOs95,  id::kOs98, id::kOsNt4, id::kOs2000,
                          id::kOsXp,    id::kOs2003, id::kOs7, id::kOs8};

void PrintTo(const ReportedVersion& version, std::ostream* os) { *os << version.name; }

class SelectOs : public WizardTest, public ::testing::WithParamInterface<ReportedVersion> {};

TEST_P(SelectOs, MarksTheReportedVersionOnly) {
  SetReportedWindowsVersion(GetParam().wineVersion);
  HWND page = StartAtSelectOs();
  ASSERT_TRUE(page);

  for (int radio : kAllRadios) {
    EXPECT_EQ(Checked(page, radio), radio == GetParam().radio)
        << "radio " << radio << " \"" << Utf8(ItemText(page, radio)) << "\"";
  }
  EXPECT_TRUE(Visible(page, GetParam().radio));
  EXPECT_FALSE(Visible(page, id::kOsBack));
  EXPECT_FALSE(Enabled(page, id::kOsBack));
  EXPECT_TRUE(Visible(page, id::kOsNext));
  EXPECT_TRUE(Enabled(page, id::kOsNext));
  HWND focus = FocusOf(page);
  EXPECT_EQ(focus, Item(page, id::kOsNext))
      << "the focus is on control " << GetDlgCtrlID(focus) << " \"" << Utf8(Text(focus)) << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Versions, SelectOs,
    ::testing::Values(ReportedVersion{"Default_6_1", std::nullopt, id::kOs7},
                      ReportedVersion{"Win10_reported_as_6_2", L"win10", id::kOs8},
                      ReportedVersion{"WinXp64_5_2", L"winxp64", id::kOs2003}),
    [](const ::testing::TestParamInfo<ReportedVersion>& info) { return info.param.name; });

}  // namespace
}  // namespace e2e
