#include "core/collection/Sha256.h"

#include <openssl/evp.h>
#include <stdexcept>

namespace talvane::collection {

Sha256::Sha256() : m_context(EVP_MD_CTX_new())
{
    if (!m_context || EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(m_context);
        throw std::runtime_error("SHA-256 is not available");
    }
}

Sha256::~Sha256()
{
    EVP_MD_CTX_free(m_context);
}

void Sha256::add(std::string_view bytes)
{
    EVP_DigestUpdate(m_context, bytes.data(), bytes.size());
}

std::string Sha256::hex()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(m_context, digest, &length);
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += kDigits[digest[i] >> 4];
        text += kDigits[digest[i] & 0xF];
    }
    return text;
}

std::string sha256Hex(std::string_view bytes)
{
    Sha256 hash;
    hash.add(bytes);
    return hash.hex();
}

} // namespace talvane::collection
