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

TEST(SystemErrorText, IsTheSystemsSentenceWithTheCode) {
  EXPECT_EQ(SystemErrorText(ERROR_FILE_NOT_FOUND),
            L"The system cannot find the file specified. (2)");
}

TEST(SystemErrorText, UnknownCodeStillNamesTheCode) {
  const std::wstring text = SystemErrorText(0x2000FFFF);
  ASSERT_GT(text.size(), std::wstring(L" (536936447)").size());
  EXPECT_EQ(text.substr(text.size() - 12), L" (536936447)");
  EXPECT_EQ(text.find_first_of(L"\r\n"), std::wstring::npos);
}

}  // namespace
