// The fixture every end-to-end test starts from: the machine put back as it
// was, the program started on demand and walked to the page a test needs,
// and killed afterwards whatever state it was left in.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "system_state.h"

namespace e2e {

// Control ids of the program's pages.
namespace id {
// Select OS
constexpr int kOsVista = 1020, kOs95 = 1000, kOs98 = 1001, kOsNt4 = 1002, kOs2000 = 1003,
              kOsXp = 1004, kOs2003 = 1011, kOs7 = 1005, kOs8 = 1006;
constexpr int kOsBack = 1008, kOsNext = 1009, kOsExit = 1010;
// Detail Setting
constexpr int kModelList = 1011, kSetDefault = 1012, kPrinterName = 1013, kPortList = 1014,
              kBaudRate = 1015, kDataBits = 1016, kFlowControl = 1017, kParity = 1018,
              kStopBits = 1019;
constexpr int kDetailBack = 1008, kDetailNext = 1009, kDetailExit = 1010;
// Select Port
constexpr int kPortView = 1021, kCreatePort = 1008, kConfigurePort = 1009, kPortBack = 1010,
              kInstall = 1022, kPortCancel = 1023;
// Create Port
constexpr int kMonitorView = 1021, kNewPort = 1008, kCreateClose = 1009;
// Message boxes
constexpr int kMessageText = 0xFFFF;
}  // namespace id

constexpr WPARAM kAboutCommand = 0x0010;

// The model list's items, in catalogue order.
extern const std::vector<std::wstring> kModelNames;
constexpr int kInitialModelRow = 5;

// The row of a text in a list's column; -1 if it is not there.
int RowOf(const std::vector<std::wstring>& column, const std::wstring& text);

class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program with the sample package as its current directory
  // (or the options given). The program is ended when the test ends.
  App& Start(const App::Options& options = {});
  App& app() { return *app_; }

  // Waits for a page or dialog; a timeout is a test failure that says what
  // is on screen instead, and gives null.
  HWND WaitFor(const std::wstring& caption, DWORD timeoutMs = kWindowTimeoutMs);
  // Waits until the window has gone from the screen.
  bool WaitGone(HWND window, DWORD timeoutMs = kWindowTimeoutMs);

  // Start the program and walk to the named page; null (and a failure) if the
  // page did not appear.
  HWND StartAtSelectOs(const App::Options& options = {});
  HWND StartAtDetailSetting(const App::Options& options = {});
  HWND StartAtSelectPort(const App::Options& options = {});
  // From an open Detail Setting page.
  HWND NextToSelectPort(HWND detail);

  // The text of the program's message box once it is up (nullopt if none
  // came), then presses its OK.
  std::optional<std::wstring> AnswerMessageBox(DWORD timeoutMs = kWindowTimeoutMs);
  // Whether the program ended in time; if not, says what it shows instead.
  ::testing::AssertionResult Ended(DWORD timeoutMs = kWindowTimeoutMs);

  std::unique_ptr<App> app_;
};

}  // namespace e2e
