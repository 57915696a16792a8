#pragma once

#include "core/companion/PhoneWords.h"
#include "core/companion/ServerLog.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>

namespace talvane::companion {

struct ServerOptions {
    // "0.0.0.0" serves every network of the machine.
    std::string bindAddress = "0.0.0.0";
    int port = 0; // 0: any free port
    // How long a connection may take to send a request's line and headers, then one
    // request, and a photo upload.
    std::chrono::milliseconds headTime = std::chrono::seconds(4);
    std::chrono::milliseconds requestTime = std::chrono::seconds(30);
    std::chrono::milliseconds uploadTime = std::chrono::minutes(10);
    // Where received photos wait until they are copied; the system's temporary folder
    // when empty.
    std::filesystem::path uploadFolder;
    // The tokens programs use (ProgramTokens); none when empty.
    std::filesystem::path tokenFile;
    // The phones paired with the collection (PairedPhones::fileFor); when empty, they
    // stay paired only while this server lives.
    std::filesystem::path phonesFile;
    // Where the server notes its port while it listens (ServingRecord::fileFor), for
    // talvane-cli pair; no note when empty.
    std::filesystem::path servingFile;
    // The note says that this server hands the collection over to a window that asks
    // (ServingRecord::askToHandOver).
    bool handsOver = false;
    // The language the pages and messages speak: the desktop's, English by default.
    PhoneWords translate = inEnglish;
    // Told of every request refused, once its answer is sent; none when empty.
    ServerLog log;
};

// Limits on what a request may send.
inline constexpr std::size_t kMaxPhotosPerRequest = 30;
inline constexpr std::size_t kMaxFormBytes = 64 * 1024;

} // namespace talvane::companion
