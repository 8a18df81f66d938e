// The third page: the spooler's ports, the preselected one, the Create Port
// dialog, and Install without a port.
#include "wizard.h"

namespace e2e {
namespace {

std::vector<std::wstring> Descriptions(const std::vector<PortRecord>& ports) {
  std::vector<std::wstring> descriptions;
  for (const PortRecord& port : ports) descriptions.push_back(port.description);
  return descriptions;
}

// --- The port list --------------------------------------------------------------

struct PortCount {
  const char* name;
  int added;  // ports added to those of the prefix
};

void PrintTo(const PortCount& row, std::ostream* os) { *os << row.name; }

class PortList : public WizardTest, public ::testing::WithParamInterface<PortCount> {};

TEST_P(PortList, ShowsEveryPortOfTheSpoolerInItsOrder) {
  // Named to sort between COM and LPT: with many of them LPT1: and FILE:
  // come late in the spooler's order.
  for (int i = 0; i < GetParam().added; ++i) {
    std::wstring number = std::to_wstring(i);
    number.insert(0, 3 - std::min<size_t>(3, number.size()), L'0');
    AddPortValue(L"E2E" + number + L":");
  }
  const std::vector<PortRecord> expected = SpoolerPorts();
  ASSERT_GE(expected.size(), static_cast<size_t>(GetParam().added));

  HWND page = StartAtSelectPort();
  ASSERT_TRUE(page);
  RemoteListView list(app(), Item(page, id::kPortView));
  ASSERT_EQ(list.ColumnCount(), 2);
  EXPECT_EQ(list.ColumnHeading(0), L"Port");
  EXPECT_EQ(list.ColumnHeading(1), L"Type");
  const std::vector<std::wstring> names = list.Column(0);
  EXPECT_EQ(names, SpoolerPortNames());
  EXPECT_EQ(list.Column(1), Descriptions(expected));
  EXPECT_EQ(list.SelectedRows(), std::vector<int>{RowOf(names, L"LPT1:")});
}

INSTANTIATE_TEST_SUITE_P(SelectPort, PortList,
                         ::testing::Values(PortCount{"PrefixPorts", 0},
                                           PortCount{"ThreeHundredMore", 300}),
                         [](const ::testing::TestParamInfo<PortCount>& info) {
                           return info.param.name;
                         });

// --- Preselection ------------------------------------------------------------------

struct PortShape {
  const char* name;
  std::vector<std::wstring> removed;  // from the prefix's ports
  std::vector<std::wstring> added;
  std::optional<std::wstring> preselected;
};

void PrintTo(const PortShape& row, std::ostream* os) { *os << row.name; }

class Preselection : public WizardTest, public ::testing::WithParamInterface<PortShape> {};

TEST_P(Preselection, FollowsLpt1ThenCom1ThenFile) {
  const PortShape& shape = GetParam();
  for (const std::wstring& name : shape.removed) RemovePortValue(name);
  for (const std::wstring& name : shape.added) AddPortValue(name);
  const std::vector<std::wstring> spooler = SpoolerPortNames();
  for (const std::wstring& name : shape.added) {
    ASSERT_NE(RowOf(spooler, name), -1) << "the spooler does not list " << Utf8(name);
  }

  HWND page = StartAtSelectPort();
  ASSERT_TRUE(page);
  RemoteListView list(app(), Item(page, id::kPortView));
  const std::vector<std::wstring> names = list.Column(0);
  ASSERT_EQ(names, spooler);
  std::vector<int> expected;
  if (shape.preselected) expected.push_back(RowOf(names, *shape.preselected));
  EXPECT_EQ(list.SelectedRows(), expected);
}

TEST_F(WizardTest, PreselectionCountsAMatchInTheFirstRow) {
  for (const wchar_t* name : {L"COM1:", L"COM2:", L"COM3:", L"COM4:", L"FILE:"}) {
    RemovePortValue(name);
  }
  ASSERT_EQ(RowOf(SpoolerPortNames(), L"LPT1:"), 0);
  HWND page = StartAtSelectPort();
  ASSERT_TRUE(page);
  RemoteListView list(app(), Item(page, id::kPortView));
  EXPECT_EQ(list.SelectedRows(), std::vector<int>{0});
}

const std::vector<std::wstring> kLpt1Com1File = {L"LPT1:", L"COM1:", L"FILE:"};

INSTANTIATE_TEST_SUITE_P(
    SelectPort, Preselection,
    ::testing::Values(
        PortShape{"Lpt1", {}, {}, L"LPT1:"},
        PortShape{"Com1WithoutLpt1", {L"LPT1:"}, {}, L"COM1:"},
        PortShape{"FileWithoutLpt1AndCom1", {L"LPT1:", L"COM1:"}, {}, L"FILE:"},
        PortShape{"NothingWithoutAllThree", kLpt1Com1File, {}, std::nullopt},
        PortShape{"LongerNamesAreOtherPorts",
                  kLpt1Com1File,
                  {L"COM10:", L"LPT12:", L"FILE2:"},
                  std::nullopt},
        PortShape{"LongerNameBesideTheRealOne", {L"LPT1:"}, {L"COM10:"}, L"COM1:"},
        PortShape{"NameWithoutColon", {L"LPT1:"}, {L"LPT1"}, L"LPT1"},
        PortShape{"LowerCaseIsAnotherName", {L"LPT1:"}, {L"lpt1:"}, L"COM1:"}),
    [](const ::testing::TestParamInfo<PortShape>& info) { return info.param.name; });

// --- Create Port ---------------------------------------------------------------------

struct CloseCreatePort {
  const char* name;
  void (*act)(HWND dialog);
};

void PrintTo(const CloseCreatePort& row, std::ostream* os) { *os << row.name; }

class CreatePort : public WizardTest, public ::testing::WithParamInterface<CloseCreatePort> {};

TEST_P(CreatePort, ListsTheMonitorsAndRebuildsThePortListWhenClosed) {
  HWND page = StartAtSelectPort();
  ASSERT_TRUE(page);
  Press(page, id::kCreatePort);
  HWND dialog = WaitFor(kCreatePortCaption);
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(IsWindowEnabled(page));

  RemoteListView monitors(app(), Item(dialog, id::kMonitorView));
  EXPECT_EQ(monitors.ColumnCount(), 1);
  EXPECT_EQ(monitors.ColumnHeading(0), L"Available Port Type");
  const std::vector<std::wstring> expectedMonitors = SpoolerMonitors();
  ASSERT_FALSE(expectedMonitors.empty());
  EXPECT_EQ(monitors.Column(0), expectedMonitors);
  EXPECT_EQ(monitors.SelectedRows(), std::vector<int>{0});

  // A port that appears while the dialog is open, as one a monitor adds.
  const std::wstring added = L"E2ENEW:";
  AddPortValue(added);
  GetParam().act(dialog);
  ASSERT_TRUE(WaitGone(dialog)) << Utf8(app().DescribeWindows());
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(page) != FALSE; }));

  RemoteListView ports(app(), Item(page, id::kPortView));
  ASSERT_TRUE(WaitUntil([&] { return RowOf(ports.Column(0), added) != -1; }))
      << "the port list was not rebuilt";
  const std::vector<std::wstring> names = ports.Column(0);
  EXPECT_EQ(names, SpoolerPortNames());
  EXPECT_EQ(ports.Column(1), Descriptions(SpoolerPorts()));
  EXPECT_EQ(ports.SelectedRows(), std::vector<int>{RowOf(names, L"LPT1:")});
  EXPECT_EQ(app().FindWindowByCaption(kSelectPortCaption), page);
}

INSTANTIATE_TEST_SUITE_P(
    SelectPort, CreatePort,
    ::testing::Values(
        CloseCreatePort{"CloseButton", [](HWND dialog) { Press(dialog, id::kCreateClose); }},
        CloseCreatePort{"Escape", [](HWND dialog) { PressEscape(dialog); }},
        CloseCreatePort{"CloseBox", [](HWND dialog) { PostSystemCommand(dialog, SC_CLOSE); }}),
    [](const ::testing::TestParamInfo<CloseCreatePort>& info) { return info.param.name; });

// --- Install without a port --------------------------------------------------------------

TEST_F(WizardTest, InstallWithoutASelectedPortAsksForOneAndKeepsThePage) {
  HWND page = StartAtSelectPort();
  ASSERT_TRUE(page);
  RemoteListView list(app(), Item(page, id::kPortView));
  const std::vector<std::wstring> names = list.Column(0);
  list.ClearSelection();
  ASSERT_TRUE(list.SelectedRows().empty());

  Press(page, id::kInstall);
  EXPECT_EQ(AnswerMessageBox(kInstallTimeoutMs), L"Please select a port first.");

  EXPECT_TRUE(app().IsRunning());
  EXPECT_EQ(app().FindWindowByCaption(kSelectPortCaption), page);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(page) != FALSE; }));
  EXPECT_EQ(list.Column(0), names);
  EXPECT_FALSE(app().FindWindowByCaption(kMessageBoxCaption)) << Utf8(app().DescribeWindows());
  EXPECT_FALSE(FindPrinter(kModelNames[kInitialModelRow]).exists);
  EXPECT_FALSE(DriverInstalled(kModelNames[kInitialModelRow]));
}

// --- Debugger output -------------------------------------------------------------------------

std::string Lines(const std::vector<std::wstring>& names) {
  std::string lines;
  for (const std::wstring& name : names) lines += Utf8(name) + "\n";
  return lines;
}

TEST_F(WizardTest, EveryListedPortAndMonitorGoesToTheDebuggerOutput) {
  const std::vector<std::wstring> portsBefore = SpoolerPortNames();
  App::Options options;
  options.collectDebugOutput = true;
  HWND page = StartAtSelectPort(options);
  ASSERT_TRUE(page);
  Press(page, id::kCreatePort);
  HWND dialog = WaitFor(kCreatePortCaption);
  ASSERT_TRUE(dialog);
  const std::wstring added = L"E2ENEW:";
  AddPortValue(added);
  const std::vector<std::wstring> portsAfter = SpoolerPortNames();
  Press(dialog, id::kCreateClose);
  ASSERT_TRUE(WaitGone(dialog));
  RemoteListView ports(app(), Item(page, id::kPortView));
  ASSERT_TRUE(WaitUntil([&] { return RowOf(ports.Column(0), added) != -1; }));

  std::string output;
  for (const std::string& piece : app().DebugOutput()) output += piece;
  EXPECT_EQ(output, Lines(portsBefore) + Lines(SpoolerMonitors()) + Lines(portsAfter));
}

}  // namespace
}  // namespace e2e
