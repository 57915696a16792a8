#pragma once

#include <string>
#include <string_view>

struct evp_md_ctx_st;

namespace talvane::collection {

// SHA-256 over bytes that may come in pieces, through OpenSSL's libcrypto.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void add(std::string_view bytes);
    // The digest of everything added, as 64 lower-case hex digits. Ends the hashing.
    std::string hex();

private:
    evp_md_ctx_st* m_context;
};

std::string sha256Hex(std::string_view bytes);

} // namespace talvane::collection
