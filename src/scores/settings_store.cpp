#include "scores/settings_store.h"

#include <ini.h>

#include <algorithm>
#include <cctype>

#include "platform/files.h"

namespace scores {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Without the blanks around it.
std::string Trimmed(const std::string& text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    std::size_t begin = 0, end = text.size();
    while (begin < end && blank(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && blank(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

// The lines of a settings text one by one, for inih, as fgets reads them from a file:
// at most size - 1 bytes, up to and with the line's '\n'. A NUL byte in a garbled file
// is copied like any other, so it cuts short only its own line.
struct Lines {
    const std::string& text;
    std::size_t next = 0;
};

char* NextLine(char* line, int size, void* stream) {
    Lines& lines = *static_cast<Lines*>(stream);
    if (lines.next >= lines.text.size() || size < 2) return nullptr;
    const std::size_t room = static_cast<std::size_t>(size) - 1;
    std::size_t end = lines.text.find('\n', lines.next);
    end = end == std::string::npos ? lines.text.size() : end + 1;
    const std::size_t length = std::min(end - lines.next, room);
    lines.text.copy(line, length, lines.next);
    line[length] = '\0';
    lines.next += length;
    return line;
}

}  // namespace

SettingsStore::SettingsStore(std::string application) : application_(std::move(application)) {}

std::string SettingsStore::Path() const {
    const std::string config = platform::UserConfigDir();
    return config.empty() ? std::string() : config + "/" + application_ + "/settings.ini";
}

void SettingsStore::Load() {
    const std::string path = Path();
    if (path.empty()) return;
    Parse(platform::ReadFileHead(path, kMaxFileBytes));
}

void SettingsStore::Parse(const std::string& text) {
    Lines lines{text};
    auto keep = [](void* store, const char* section, const char* key, const char* value) {
        // inih trims names, except the one it repeats for an indented continuation line,
        // cut to its name buffer's length and so perhaps ending in blanks.
        static_cast<SettingsStore*>(store)->Add(section, Trimmed(key), value);
        return 1;  // go on with the next line
    };
    ini_parse_stream(NextLine, &lines, keep, this);
}

bool SettingsStore::Add(const std::string& section, const std::string& key,
                        const std::string& value) {
    const auto [place, added] = index_.try_emplace({Lower(section), Lower(key)}, entries_.size());
    if (added) entries_.push_back({section, key, value});
    return added;
}

std::string SettingsStore::GetSetting(const std::string& section, const std::string& key,
                                      const std::string& fallback) const {
    const auto place = index_.find({Lower(section), Lower(key)});
    return place == index_.end() ? fallback : entries_[place->second].value;
}

void SettingsStore::SaveSetting(const std::string& section, const std::string& key,
                                const std::string& value) {
    if (!Add(section, key, value)) entries_[index_.at({Lower(section), Lower(key)})].value = value;
}

std::string SettingsStore::Text() const {
    std::string text;
    const std::string* section = nullptr;
    for (const Entry& entry : entries_) {
        const std::string line = entry.key + "=" + entry.value;
        // The reader would cut a longer line in two. The game's own lines are far
        // shorter: only a damaged file's indented line, which the reader gives under a
        // shortened copy of the key above it, comes this long.
        if (line.size() >= INI_MAX_LINE) continue;
        if (!section || Lower(*section) != Lower(entry.section)) {
            section = &entry.section;
            text += "[" + entry.section + "]\n";
        }
        text += line + "\n";
    }
    return text;
}

bool SettingsStore::Save(std::string& error) const {
    const std::string path = Path();
    if (path.empty()) {
        error = "the user's configuration folder is unknown";
        return false;
    }
    return platform::ReplaceFileContents(path, Text(), error);
}

}  // namespace scores
