// The boundary between the program's UTF-8 texts and the UTF-16 of the
// Windows wide calls.
#pragma once

#include <windows.h>

#include <string>

// Both convert the whole text, embedded NULs included; invalid sequences
// become U+FFFD rather than cutting the text short.
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

// The system's own words for an error code followed by the code, e.g.
// "The system cannot find the file specified. (2)". Never empty.
std::wstring SystemErrorText(DWORD code);
