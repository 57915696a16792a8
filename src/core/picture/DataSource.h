#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A named block of bytes with a read position. The block is not owned: whoever
// opened the source keeps it alive until Close.
class CDataSource {
public:
    CDataSource() = default;
    CDataSource(const CDataSource&) = delete;
    CDataSource& operator=(const CDataSource&) = delete;
    virtual ~CDataSource();

    virtual void Open(const std::string& name, const std::uint8_t* pData, std::int32_t nSize);
    virtual void Close();

    const std::string& getName() const { return m_pszName; }
    const std::uint8_t* getCurrent() const { return m_pCurrent; }
    const std::uint8_t* getEnd() const { return m_pStart + m_nSize; }
    std::int32_t GetSize() const { return m_nSize; }

    // The format decoder moves the read position as it reads; positions are
    // kept inside the block.
    void setCurrent(const std::uint8_t* pCurrent) { m_pCurrent = pCurrent; }

private:
    const std::uint8_t* m_pCurrent = nullptr;
    const std::uint8_t* m_pStart = nullptr;
    std::string m_pszName;
    std::int32_t m_nSize = 0;
};
