// The second page: model, default-printer box, the hidden port settings and
// the About entry of its system menu.
#include <algorithm>
#include <sstream>

#include "wizard.h"

namespace e2e {
namespace {

// The hidden port settings: the lists the install reads although nobody
// sees them.
struct HiddenList {
  int id;
  std::vector<std::wstring> items;
  int initialRow;
  bool initiallyEnabled;
};

const std::vector<HiddenList> kHiddenLists = {
    {id::kPortList, {L"LPT1", L"LPT2", L"LPT3", L"COM1", L"COM2", L"COM3", L"COM4"}, 0, true},
    {id::kBaudRate,
     {L"300", L"1200", L"2400", L"4800", L"9600", L"19200", L"38400", L"57600", L"115200"},
     5,
     false},
    {id::kDataBits, {L"5", L"6", L"7", L"8"}, 3, false},
    {id::kStopBits, {L"1", L"1.5", L"2"}, 0, false},
    {id::kParity, {L"Even", L"Mark", L"None", L"Odd", L"Space"}, 2, false},
    {id::kFlowControl, {L"None", L"XonXoff", L"Hardware"}, 2, false},
};

const int kSerialLists[] = {id::kBaudRate, id::kDataBits, id::kFlowControl, id::kParity,
                            id::kStopBits};

// Checks a freshly opened page.
void ExpectInitialPage(HWND page) {
  EXPECT_EQ(ComboItems(page, id::kModelList), kModelNames);
  EXPECT_EQ(ComboSelection(page, id::kModelList), kInitialModelRow);
  EXPECT_TRUE(Checked(page, id::kSetDefault));
  EXPECT_EQ(ItemText(page, id::kPrinterName), L"WQ-350V Series");
  for (const HiddenList& list : kHiddenLists) {
    SCOPED_TRACE("list " + std::to_string(list.id));
    EXPECT_FALSE(Visible(page, list.id));
    EXPECT_EQ(ComboItems(page, list.id), list.items);
    EXPECT_EQ(ComboSelection(page, list.id), list.initialRow);
    EXPECT_EQ(Enabled(page, list.id), list.initiallyEnabled);
  }
}

TEST_F(WizardTest, DetailSettingOpensWithTheInitialChoices) {
  HWND page = StartAtDetailSetting();
  ASSERT_TRUE(page);
  ExpectInitialPage(page);
  EXPECT_TRUE(Visible(page, id::kModelList));
  EXPECT_TRUE(Visible(page, id::kPrinterName));
}

TEST_F(WizardTest, ChoosingAModelShowsItsNameAsPrinterName) {
  HWND page = StartAtDetailSetting();
  ASSERT_TRUE(page);
  // Down the whole list and back to the first row, so that every row is a
  // change from the one before.
  const int count = static_cast<int>(kModelNames.size());
  for (int step = 1; step <= count; ++step) {
    const int row = step % count;
    ChooseComboRow(page, id::kModelList, row);
    EXPECT_EQ(ItemText(page, id::kPrinterName), kModelNames[row]) << "row " << row;
  }
}

TEST_F(WizardTest, SerialListsAreEnabledOnlyWhileAComPortIsChosen) {
  HWND page = StartAtDetailSetting();
  ASSERT_TRUE(page);
  // Port-list rows 0..2 are LPT1..LPT3, 3..6 COM1..COM4; every step switches
  // between the two kinds or stays within one.
  for (int row : {3, 0, 4, 5, 1, 6, 2, 2, 3}) {
    ChooseComboRow(page, id::kPortList, row);
    for (int list : kSerialLists) {
      EXPECT_EQ(Enabled(page, list), row > 2)
          << "list " << list << " after choosing port-list row " << row;
    }
  }
}

TEST_F(WizardTest, BackThenNextGivesAFreshDetailSettingPage) {
  HWND page = StartAtDetailSetting();
  ASSERT_TRUE(page);
  ChooseComboRow(page, id::kModelList, 0);
  Click(page, id::kSetDefault);
  ChooseComboRow(page, id::kPortList, 4);
  ChooseComboRow(page, id::kBaudRate, 1);

  Press(page, id::kDetailBack);
  HWND selectOs = WaitFor(kSelectOsCaption);
  ASSERT_TRUE(selectOs);
  Press(selectOs, id::kOsNext);
  HWND fresh = WaitFor(kDetailSettingCaption);
  ASSERT_TRUE(fresh);
  ExpectInitialPage(fresh);
}

// Wine cannot show another process's system menu, so the entry's command is
// sent the way the menu would send it. The system keeps the low four bits of
// a command for itself, so the whole range must open the box.
class About : public WizardTest, public ::testing::WithParamInterface<WPARAM> {};

TEST_P(About, OpensTheAboutBoxAndLeavesThePageAsItWas) {
  HWND page = StartAtDetailSetting();
  ASSERT_TRUE(page);
  ChooseComboRow(page, id::kModelList, 2);
  Click(page, id::kSetDefault);

  PostSystemCommand(page, GetParam());
  HWND about = WaitFor(kAboutCaption);
  ASSERT_TRUE(about);
  std::vector<std::wstring> texts;
  for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    texts.push_back(Text(child));
  }
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"KORAX 4.0 版"), texts.end());
  EXPECT_FALSE(IsWindowEnabled(page));

  Press(about, IDOK);
  EXPECT_TRUE(WaitGone(about));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(page) != FALSE; }));
  EXPECT_EQ(app().FindWindowByCaption(kDetailSettingCaption), page);
  EXPECT_EQ(ComboSelection(page, id::kModelList), 2);
  EXPECT_EQ(ItemText(page, id::kPrinterName), kModelNames[2]);
  EXPECT_FALSE(Checked(page, id::kSetDefault));
  EXPECT_TRUE(app().IsRunning());
}

INSTANTIATE_TEST_SUITE_P(SystemCommands, About, ::testing::Values(0x0010, 0x001F),
                         [](const ::testing::TestParamInfo<WPARAM>& info) {
                           std::ostringstream name;
                           name << "Command_0x" << std::hex << std::uppercase << info.param;
                           return name.str();
                         });

}  // namespace
}  // namespace e2e
