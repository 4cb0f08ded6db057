// Windows speaks UTF-16; the game's strings (paths among them) are UTF-8.
#pragma once

#include <string>

namespace platform {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

}  // namespace platform
