// libFuzzer target: the settings reader against arbitrary file contents.
#include <cstddef>
#include <cstdint>

#include "settings_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckSettingsText(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
