#pragma once

#include "core/companion/PhoneForms.h"
#include "core/companion/PhoneWords.h"
#include "core/companion/ServerOptions.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A multipart/form-data body read a part at a time, as it arrives: form fields into
// memory and files straight to a folder of their own, each within its limits. The HTTP
// library hands over the parts; nothing here trusts what they say.
namespace talvane::companion {

// Why a body was not taken: the answer's status and what it says, said already.
struct Refusal {
    int status = 400;
    std::string message;
};

class UploadReader {
public:
    struct ReceivedFile {
        std::string sentName; // as the browser named it, cut to 200 bytes
        std::filesystem::path file;
        std::string head; // its first bytes, to tell what it is
        std::uintmax_t size = 0;
    };

    // Files are written into `folder` (which must exist); `maxFiles` of at most
    // `maxFileBytes` each.
    UploadReader(std::filesystem::path folder, PhoneWords words, std::size_t maxFiles, std::uintmax_t maxFileBytes);

    // A part begins: a file when it has a file name. False refuses the body.
    bool startPart(std::string_view name, std::string_view fileName);
    // The next bytes of the current part.
    bool addData(const char* data, std::size_t length);
    // The body ended: closes the last file.
    void finish();

    const FormFields& fields() const { return m_fields; }
    const std::vector<ReceivedFile>& files() const { return m_files; }
    // Why the body was refused; set once startPart or addData said false.
    const std::optional<Refusal>& refusal() const { return m_refusal; }

    // The files that hold something, each renamed with the extension its photo format
    // has; or the refusal of the first that is no photo.
    std::variant<std::vector<std::filesystem::path>, Refusal> photos();

private:
    bool refuse(int status, std::string message);

    std::filesystem::path m_folder;
    PhoneWords m_words;
    std::size_t m_maxFiles;
    std::uintmax_t m_maxFileBytes;
    FormFields m_fields;
    std::vector<ReceivedFile> m_files;
    std::ofstream m_out;
    std::string* m_value = nullptr;
    std::optional<Refusal> m_refusal;
};

// A folder of its own for one request's files, removed with everything in it; empty
// when it cannot be made.
class UploadFolder {
public:
    explicit UploadFolder(const std::filesystem::path& parent);
    ~UploadFolder();
    UploadFolder(const UploadFolder&) = delete;
    UploadFolder& operator=(const UploadFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace talvane::companion
