#include "scores/settings_store.h"

#include <fcntl.h>
#include <ini.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/platform.h"

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

// What failed, with the system's reason.
std::string Failure(const std::string& what) { return what + ": " + std::strerror(errno); }

// The first `limit` bytes of a regular file; empty for a missing file or anything else.
// Opened without blocking, so that a pipe in the file's place cannot hold up start-up.
std::string ReadHead(const std::string& path, std::size_t limit) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    std::string text;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        text.resize(limit);
        std::size_t got = 0;
        while (got < limit) {
            const ssize_t n = read(fd, text.data() + got, limit - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
    }
    close(fd);
    return text;
}

// Writes all of text to fd and flushes it to the disk; empty on success, else why not.
std::string WriteDurably(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Failure("cannot write the settings");
        done += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0) return Failure("cannot flush the settings to disk");
    return {};
}

// Makes a rename inside the folder last through a power cut. Best effort: the new
// file is complete either way.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

SettingsStore::SettingsStore(std::string application) : application_(std::move(application)) {}

std::string SettingsStore::Folder() const {
    const std::string config = platform::UserConfigDir();
    return config.empty() ? std::string() : config + "/" + application_;
}

std::string SettingsStore::Path() const {
    const std::string folder = Folder();
    return folder.empty() ? std::string() : folder + "/settings.ini";
}

void SettingsStore::Load() {
    const std::string path = Path();
    if (path.empty()) return;
    Parse(ReadHead(path, kMaxFileBytes));
}

void SettingsStore::Parse(const std::string& text) {
    if (text.empty()) return;
    // inih reads the text line by line as from a file, so that a NUL byte in a garbled
    // file cuts short only its own line.
    FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (!in) return;
    auto keep = [](void* store, const char* section, const char* key, const char* value) {
        // inih trims names, except the one it repeats for an indented continuation line,
        // cut to its name buffer's length and so perhaps ending in blanks.
        static_cast<SettingsStore*>(store)->Add(section, Trimmed(key), value);
        return 1;  // go on with the next line
    };
    ini_parse_file(in, keep, this);
    std::fclose(in);
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
    const std::string folder = Folder();
    if (folder.empty()) {
        error =
            "the user's configuration folder is unknown (neither XDG_CONFIG_HOME nor HOME is set)";
        return false;
    }
    std::error_code created;
    std::filesystem::create_directories(folder, created);
    if (created) {
        error = "cannot create the folder " + folder + ": " + created.message();
        return false;
    }
    std::string temporary = folder + "/settings.ini.XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = Failure("cannot create a file in " + folder);
        return false;
    }
    std::string why = WriteDurably(fd, Text());
    if (close(fd) != 0 && why.empty()) why = Failure("cannot close " + temporary);
    if (why.empty() && std::rename(temporary.c_str(), Path().c_str()) != 0)
        why = Failure("cannot replace " + Path());
    if (!why.empty()) {
        unlink(temporary.c_str());
        error = why;
        return false;
    }
    SyncFolder(folder);
    return true;
}

}  // namespace scores
