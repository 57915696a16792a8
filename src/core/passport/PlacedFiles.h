#pragma once

#include <filesystem>
#include <vector>

namespace talvane::passport {

// Files just put into a collection's folders for an entry that is not saved yet. They
// are taken back out when this is destroyed, unless commit() says that the collection
// naming them was saved: a caller whose save fails only lets it go.
class PlacedFiles {
public:
    PlacedFiles() = default;
    explicit PlacedFiles(std::vector<std::filesystem::path> files) : m_files(std::move(files)) {}
    PlacedFiles(PlacedFiles&& other) noexcept;
    PlacedFiles& operator=(PlacedFiles&& other) noexcept;
    PlacedFiles(const PlacedFiles&) = delete;
    PlacedFiles& operator=(const PlacedFiles&) = delete;
    ~PlacedFiles();

    const std::vector<std::filesystem::path>& files() const { return m_files; }
    // They stay where they are.
    void commit() { m_files.clear(); }
    // Takes them out now, durably.
    void remove();

private:
    std::vector<std::filesystem::path> m_files;
};

} // namespace talvane::passport
