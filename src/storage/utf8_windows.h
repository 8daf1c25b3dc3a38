#pragma once
// Windows speaks UTF-16 in its wide calls; the program speaks UTF-8. Text
// crosses at the calls into Windows, through these two.
#ifdef _WIN32
#include <string>

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
#endif
