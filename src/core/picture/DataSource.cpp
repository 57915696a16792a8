#include "core/picture/DataSource.h"

CDataSource::~CDataSource()
{
    if (m_pCurrent != nullptr)
        CDataSource::Close();
}

void CDataSource::Open(const std::string& name, const std::uint8_t* pData, std::int32_t nSize)
{
    m_pszName = name;
    m_pStart = pData;
    m_pCurrent = pData;
    m_nSize = nSize;
}

void CDataSource::Close()
{
    m_pszName.clear();
    m_pCurrent = nullptr;
    m_pStart = nullptr;
    m_nSize = 0;
}
