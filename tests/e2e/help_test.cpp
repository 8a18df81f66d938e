// F1 on a page brings the application's help for that page; the page stays.
#include "wizard.h"

namespace e2e {
namespace {

void PressF1(HWND window) {
  SetForegroundWindow(window);
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

class Help : public WizardTest {};

TEST_F(Help, F1AnswersForThePageItWasPressedOn) {
  HWND selectOs = StartAtSelectOs();
  ASSERT_TRUE(selectOs);
  PressF1(selectOs);
  std::optional<std::wstring> text = AnswerMessageBox();
  ASSERT_TRUE(text);
  EXPECT_EQ(text->rfind(L"Select OS shows the version of Windows", 0), 0u) << Utf8(*text);
  EXPECT_TRUE(IsWindowVisible(selectOs));

  Press(selectOs, id::kOsNext);
  HWND detail = WaitFor(kDetailSettingCaption);
  ASSERT_TRUE(detail);
  PressF1(detail);
  text = AnswerMessageBox();
  ASSERT_TRUE(text);
  EXPECT_EQ(text->rfind(L"Choose the printer model to install.", 0), 0u) << Utf8(*text);
  EXPECT_TRUE(IsWindowVisible(detail));
  EXPECT_TRUE(app().IsRunning());
}

}  // namespace
}  // namespace e2e
