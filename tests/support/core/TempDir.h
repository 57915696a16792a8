#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <memory>
#include <string_view>
#include <vector>

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Seconds since the epoch of a local time (8 December 2026 unless told otherwise).
std::int64_t localSeconds(int hour, int minute, int second, int day = 8, int month = 12, int year = 2026);

// The names in a folder, sorted.
std::vector<std::string> folderNames(const std::filesystem::path& folder);

// While it lives, files this process writes cannot grow past the limit: a disk that
// fills up half-way through a write.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> m_saved;
};

// Whole-file helpers for tests that compare bytes; a written file's folders are made.
std::string readFileBytes(const std::filesystem::path& path);
void writeFileBytes(const std::filesystem::path& path, std::string_view bytes);
