#pragma once

#include <cstdint>
#include <string>
#include <utility>

// The one exception of the picture classes: every decoding failure reaches the
// caller as an error code (1 to 9) and the text to show the user.
class CTextException {
public:
    CTextException(std::int32_t nCode, std::string text)
        : m_nCode(nCode)
        , m_pszText(std::move(text))
    {
    }

    std::int32_t GetCode() const { return m_nCode; }
    const std::string& GetText() const { return m_pszText; }

private:
    std::int32_t m_nCode;
    std::string m_pszText;
};
