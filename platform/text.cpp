#include "text.h"

#include <climits>

std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  // Lengths beyond INT_MAX cannot be passed in one call; no text of this
  // program comes near it.
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, &wide[0], needed);
  return wide;
}

std::string WideToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string narrow(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &narrow[0], needed, nullptr, nullptr);
  return narrow;
}

std::wstring SystemErrorText(DWORD code) {
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::wstring text;
  if (length != 0 && message != nullptr) text.assign(message, length);
  if (message != nullptr) LocalFree(message);
  // The system's messages end in a line break, sometimes after blanks.
  const size_t end = text.find_last_not_of(L" \t\r\n");
  text.erase(end == std::wstring::npos ? 0 : end + 1);
  if (text.empty()) text = L"Unknown error";
  return text + L" (" + std::to_wstring(code) + L")";
}
