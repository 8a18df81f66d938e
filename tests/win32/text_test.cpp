// UTF-8 <-> UTF-16 at the boundary, and the system's error texts.
#include <gtest/gtest.h>

#include "text.h"

namespace {

struct TextCase {
  const char* label;
  std::string utf8;
  std::wstring wide;
};

class TextRoundTrip : public testing::TestWithParam<TextCase> {};

TEST_P(TextRoundTrip, ConvertsBothWaysUnchanged) {
  const TextCase& c = GetParam();
  EXPECT_EQ(Utf8ToWide(c.utf8), c.wide);
  EXPECT_EQ(WideToUtf8(c.wide), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextRoundTrip,
    testing::Values(TextCase{"Empty", "", L""}, TextCase{"Ascii", "LPT1:", L"LPT1:"},
                    TextCase{"Cyrillic", "ПОРТ1:", L"ПОРТ1:"},
                    TextCase{"Chinese", "错误：无法设置有关的注册表信息",
                             L"错误：无法设置有关的注册表信息"},
                    // Outside the BMP: one code point, a surrogate pair in UTF-16.
                    TextCase{"Supplementary", "端口\xF0\x9D\x84\x9E", L"端口\U0001D11E"},
                    // Multi-string lists carry NULs inside; nothing may stop at them.
                    TextCase{"EmbeddedNul", std::string("a\0\xC3\xA9\0", 5),
                             std::wstring(L"a\0\u00E9\0", 4)}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.label); });

std::wstring RawSystemMessage(DWORD code) {
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::wstring text(message ? message : L"", length);
  LocalFree(message);
  return text;
}

// The wording is the system's own and differs between Windows and Wine, so
// the test holds the text to the system's message rather than to a sentence.
TEST(SystemErrorText, IsTheSystemsSentenceTrimmedAndFollowedByTheCode) {
  const std::wstring text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  const std::wstring code = L" (2)";
  ASSERT_GT(text.size(), code.size());
  EXPECT_EQ(text.substr(text.size() - code.size()), code);
  const std::wstring sentence = text.substr(0, text.size() - code.size());
  const std::wstring raw = RawSystemMessage(ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(raw.compare(0, sentence.size(), sentence), 0) << "not the system's text";
  EXPECT_EQ(raw.find_first_not_of(L" \t\r\n", sentence.size()), std::wstring::npos);
  EXPECT_NE(sentence.back(), L' ');
  EXPECT_EQ(sentence.find_first_of(L"\r\n"), std::wstring::npos);
}

TEST(SystemErrorText, UnknownCodeStillNamesTheCode) {
  const std::wstring text = SystemErrorText(0x2000FFFF);
  ASSERT_GT(text.size(), std::wstring(L" (536936447)").size());
  EXPECT_EQ(text.substr(text.size() - 12), L" (536936447)");
  EXPECT_EQ(text.find_first_of(L"\r\n"), std::wstring::npos);
}

}  // namespace
