#include "core/passport/PlacedFiles.h"

#include "core/timeline/PhotoCopy.h"

#include <utility>

namespace talvane::passport {

PlacedFiles::PlacedFiles(PlacedFiles&& other) noexcept : m_files(std::exchange(other.m_files, {})) {}

PlacedFiles& PlacedFiles::operator=(PlacedFiles&& other) noexcept
{
    if (this != &other) {
        remove();
        m_files = std::exchange(other.m_files, {});
    }
    return *this;
}

PlacedFiles::~PlacedFiles()
{
    remove();
}

void PlacedFiles::remove()
{
    if (m_files.empty())
        return;
    timeline::removePlacedFiles(m_files);
    m_files.clear();
}

} // namespace talvane::passport
