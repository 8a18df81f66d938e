// The order of the pages: which command leads where, and which ends the
// program.
#include "wizard.h"

namespace e2e {
namespace {

// A way of leaving a page that the user has: a button, a key, the title bar.
struct Leave {
  const char* name;
  void (*act)(HWND page, int pageButton);  // pageButton: the button the row stands for
};

void PrintTo(const Leave& row, std::ostream* os) { *os << row.name; }

const Leave kExitButton{"ExitButton", [](HWND page, int pageButton) { Press(page, pageButton); }};
const Leave kEscape{"Escape", [](HWND page, int) { PressEscape(page); }};
const Leave kCloseBox{"CloseBox", [](HWND page, int) { PostSystemCommand(page, SC_CLOSE); }};
const Leave kNextButton{"NextButton", [](HWND page, int pageButton) { Press(page, pageButton); }};
const Leave kEnter{"Enter", [](HWND page, int) { PressEnter(page); }};

std::string LeaveName(const ::testing::TestParamInfo<Leave>& info) { return info.param.name; }

// --- Select OS ------------------------------------------------------------------

class SelectOsEnds : public WizardTest, public ::testing::WithParamInterface<Leave> {};

TEST_P(SelectOsEnds, TheProgramWithoutAMessage) {
  HWND selectOs = StartAtSelectOs();
  ASSERT_TRUE(selectOs);
  GetParam().act(selectOs, id::kOsExit);
  EXPECT_TRUE(Ended());
}

INSTANTIATE_TEST_SUITE_P(Flow, SelectOsEnds, ::testing::Values(kExitButton, kEscape, kCloseBox),
                         LeaveName);

class SelectOsGoesOn : public WizardTest, public ::testing::WithParamInterface<Leave> {};

TEST_P(SelectOsGoesOn, ToDetailSetting) {
  HWND selectOs = StartAtSelectOs();
  ASSERT_TRUE(selectOs);
  GetParam().act(selectOs, id::kOsNext);
  ASSERT_TRUE(WaitFor(kDetailSettingCaption));
  EXPECT_FALSE(app().FindWindowByCaption(kSelectOsCaption));
}

INSTANTIATE_TEST_SUITE_P(Flow, SelectOsGoesOn, ::testing::Values(kNextButton, kEnter), LeaveName);

// --- Detail Setting ---------------------------------------------------------------

class DetailSettingEnds : public WizardTest, public ::testing::WithParamInterface<Leave> {};

TEST_P(DetailSettingEnds, TheProgramWithoutAMessage) {
  HWND detail = StartAtDetailSetting();
  ASSERT_TRUE(detail);
  GetParam().act(detail, id::kDetailExit);
  EXPECT_TRUE(Ended());
  EXPECT_FALSE(DriverInstalled(kModelNames[kInitialModelRow]));
}

INSTANTIATE_TEST_SUITE_P(Flow, DetailSettingEnds,
                         ::testing::Values(kExitButton, kEscape, kCloseBox), LeaveName);

class DetailSettingGoesOn : public WizardTest, public ::testing::WithParamInterface<Leave> {};

TEST_P(DetailSettingGoesOn, ToSelectPortAboveIt) {
  HWND detail = StartAtDetailSetting();
  ASSERT_TRUE(detail);
  GetParam().act(detail, id::kDetailNext);
  ASSERT_TRUE(WaitFor(kSelectPortCaption));
  // The page stays beneath, disabled while Select Port is open.
  EXPECT_TRUE(IsWindow(detail));
  EXPECT_FALSE(IsWindowEnabled(detail));
}

INSTANTIATE_TEST_SUITE_P(Flow, DetailSettingGoesOn, ::testing::Values(kNextButton, kEnter),
                         LeaveName);

TEST_F(WizardTest, BackOnDetailSettingShowsSelectOsWithTheDetectedVersionMarkedAgain) {
  SetReportedWindowsVersion(std::nullopt);  // "Windows 7"
  HWND selectOs = StartAtSelectOs();
  ASSERT_TRUE(selectOs);
  // The mark is information only; a click must not outlive the page.
  Click(selectOs, id::kOs2000);
  ASSERT_TRUE(Checked(selectOs, id::kOs2000));
  Press(selectOs, id::kOsNext);
  HWND detail = WaitFor(kDetailSettingCaption);
  ASSERT_TRUE(detail);

  Press(detail, id::kDetailBack);
  HWND again = WaitFor(kSelectOsCaption);
  ASSERT_TRUE(again);
  EXPECT_FALSE(app().FindWindowByCaption(kDetailSettingCaption));
  EXPECT_TRUE(Checked(again, id::kOs7));
  EXPECT_FALSE(Checked(again, id::kOs2000));
}

// --- Select Port ---------------------------------------------------------------------

const Leave kBackButton{"BackButton", [](HWND page, int) { Press(page, id::kPortBack); }};
const Leave kCancelButton{"CancelButton", [](HWND page, int) { Press(page, id::kPortCancel); }};

class SelectPortReturns : public WizardTest, public ::testing::WithParamInterface<Leave> {};

TEST_P(SelectPortReturns, ToDetailSettingWithItsChoicesKept) {
  HWND detail = StartAtDetailSetting();
  ASSERT_TRUE(detail);
  const int model = 8;
  ChooseComboRow(detail, id::kModelList, model);
  Click(detail, id::kSetDefault);
  ASSERT_EQ(ItemText(detail, id::kPrinterName), kModelNames[model]);
  ASSERT_FALSE(Checked(detail, id::kSetDefault));

  HWND selectPort = NextToSelectPort(detail);
  ASSERT_TRUE(selectPort);
  GetParam().act(selectPort, 0);
  ASSERT_TRUE(WaitGone(selectPort)) << Utf8(app().DescribeWindows());
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(detail) != FALSE; }));

  EXPECT_EQ(app().FindWindowByCaption(kDetailSettingCaption), detail);
  EXPECT_EQ(ComboSelection(detail, id::kModelList), model);
  EXPECT_EQ(ItemText(detail, id::kPrinterName), kModelNames[model]);
  EXPECT_FALSE(Checked(detail, id::kSetDefault));
  EXPECT_FALSE(app().FindWindowByCaption(kMessageBoxCaption)) << Utf8(app().DescribeWindows());
  EXPECT_FALSE(FindPrinter(kModelNames[model]).exists);

  // Next works again, with a new Select Port page.
  EXPECT_TRUE(NextToSelectPort(detail));
}

INSTANTIATE_TEST_SUITE_P(Flow, SelectPortReturns,
                         ::testing::Values(kBackButton, kCancelButton, kEscape, kCloseBox),
                         LeaveName);

}  // namespace
}  // namespace e2e
