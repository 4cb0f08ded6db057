// The per-user settings store: text values under application, section and key.
//
// An application's values live in <user config folder>/<application>/settings.ini,
// one "Key=Value" line each under "[Section]" headers (keys before the first header
// belong to the section "", written back under "[]"). A store is plain memory between
// Load and Save; Load adds only keys that have no value yet, so a store given its own
// values first and then loaded keeps whatever else the file holds.
// Section and key names match without regard to letter case, as on the system the
// game was first made for; values are kept exactly as read (inih trims the blanks
// around them).
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace scores {

class SettingsStore {
public:
    explicit SettingsStore(std::string application);

    // The file the store is read from and written to; empty when the user's
    // configuration folder is unknown.
    std::string Path() const;

    // Reads the file. A missing, unreadable or garbled file, or one that is not a
    // regular file, gives what could be read, perhaps nothing; reading never fails.
    // Of a key given twice, the first value counts. Only the first kMaxFileBytes are read.
    void Load();
    // Takes the values of settings text as Load does for a file's contents.
    void Parse(const std::string& text);
    // The file's contents as Save writes them.
    std::string Text() const;

    // The value under section and key, or fallback when there is none.
    std::string GetSetting(const std::string& section, const std::string& key,
                           const std::string& fallback = "") const;
    // Sets a value in memory; Save writes it. Values are single lines of text.
    void SaveSetting(const std::string& section, const std::string& key, const std::string& value);

    // Replaces the file with every value of the store, so that it holds either the old
    // contents or the new ones, never a mixture, and the new ones survive a power cut.
    // The folder is created when missing. False when the file could not be replaced;
    // error then says why, and the old file is as it was.
    bool Save(std::string& error) const;

    // A settings file holds a few hundred bytes; a larger one is not the game's.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;

private:
    struct Entry {
        std::string section, key, value;
    };
    // Where the value of (section, key) is held in entries_, by names in lower case.
    using Index = std::map<std::pair<std::string, std::string>, std::size_t>;

    // Adds a value unless the key has one already; true when added.
    bool Add(const std::string& section, const std::string& key, const std::string& value);

    std::string application_;
    std::vector<Entry> entries_;  // in the order they were read or set
    Index index_;
};

}  // namespace scores
