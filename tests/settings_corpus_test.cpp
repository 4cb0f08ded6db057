// Every settings file the fuzzer was started from, or found trouble with, read again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings_check.h"

TEST(SettingsCorpus, EveryFileReadsIntoValuesTheGameCanShowAndStore) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FUZZ_CORPUS_DIR)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_NO_THROW(fuzz::CheckSettingsText(text.str())) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 5);
}
