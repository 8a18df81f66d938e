#include "wizard.h"

#include <algorithm>

namespace e2e {

const std::vector<std::wstring> kModelNames = {
    L"WQ-310 Series", L"WQ-320 Series",  L"WQ-330 Series",  L"WQ-340 Series", L"WQ-350 Series",
    L"WQ-350V Series", L"WQ-372 Series", L"WQ-374 Series",  L"WQ-374R Series",
    L"WQ-K374 Series", L"WQ-3T Series",  L"WQ-3D Series",   L"WQ-3RC Series",
};

int RowOf(const std::vector<std::wstring>& column, const std::wstring& text) {
  const auto found = std::find(column.begin(), column.end(), text);
  return found == column.end() ? -1 : static_cast<int>(found - column.begin());
}

void WizardTest::SetUp() {
  ASSERT_FALSE(ProgramPath().empty()) << "DS_PROGRAM must name DriverSetup.exe";
  ASSERT_FALSE(PackagePath().empty()) << "DS_PACKAGE must name the sample package folder";
  CaptureBaseline();
  RestoreBaseline();
}

void WizardTest::TearDown() {
  app_.reset();
  RestoreBaseline();
}

App& WizardTest::Start(const App::Options& options) {
  app_ = App::Launch(options);
  return *app_;
}

HWND WizardTest::WaitFor(const std::wstring& caption, DWORD timeoutMs) {
  HWND window = app_->WaitForWindow(caption, timeoutMs);
  if (!window) {
    ADD_FAILURE() << "\"" << Utf8(caption) << "\" did not appear; on screen: "
                  << Utf8(app_->DescribeWindows())
                  << (app_->IsRunning() ? "" : " (the program has ended)");
  }
  return window;
}

bool WizardTest::WaitGone(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

HWND WizardTest::StartAtSelectOs(const App::Options& options) {
  Start(options);
  return WaitFor(kSelectOsCaption);
}

HWND WizardTest::StartAtDetailSetting(const App::Options& options) {
  HWND selectOs = StartAtSelectOs(options);
  if (!selectOs) return nullptr;
  Press(selectOs, id::kOsNext);
  return WaitFor(kDetailSettingCaption);
}

HWND WizardTest::NextToSelectPort(HWND detail) {
  Press(detail, id::kDetailNext);
  return WaitFor(kSelectPortCaption);
}

HWND WizardTest::StartAtSelectPort(const App::Options& options) {
  HWND detail = StartAtDetailSetting(options);
  return detail ? NextToSelectPort(detail) : nullptr;
}

std::optional<std::wstring> WizardTest::AnswerMessageBox(DWORD timeoutMs) {
  HWND box = app_->WaitForMessageBox(timeoutMs);
  if (!box) return std::nullopt;
  const std::wstring text = ItemText(box, id::kMessageText);
  Press(box, IDOK);
  WaitGone(box);
  return text;
}

::testing::AssertionResult WizardTest::Ended(DWORD timeoutMs) {
  if (app_->WaitForExit(timeoutMs)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the program is still running; on screen: " << Utf8(app_->DescribeWindows());
}

}  // namespace e2e
