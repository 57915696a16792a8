#pragma once

#include "core/picture/DataSource.h"

#include <filesystem>
#include <string>

// A data source over a whole file mapped read-only into memory. It lives for
// one decoding; a failed open keeps nothing open.
class CFileSource : public CDataSource {
public:
    ~CFileSource() override;

    // 0 on success, otherwise the decoder error code: 3 when a directory of
    // the path is missing, 5 when access is refused or the file cannot be
    // mapped (empty, not a regular file, 2 GiB or more), 4 for anything else.
    int OpenFile(const std::filesystem::path& fileName);
    void Close() override;

private:
    void releaseHandles();

    int m_hFile = -1;
    void* m_hMapping = nullptr;
};
