#include "core/companion/UploadReader.h"

#include "core/companion/PhonePictures.h"
#include "core/picture/PhotoFormat.h"

#include <algorithm>
#include <cstdlib>

namespace talvane::companion {

UploadReader::UploadReader(std::filesystem::path folder, PhoneWords words, std::size_t maxFiles,
                           std::uintmax_t maxFileBytes)
    : m_folder(std::move(folder)), m_words(std::move(words)), m_maxFiles(maxFiles), m_maxFileBytes(maxFileBytes)
{
}

bool UploadReader::refuse(int status, std::string message)
{
    m_refusal = Refusal{status, std::move(message)};
    return false;
}

bool UploadReader::startPart(std::string_view name, std::string_view fileName)
{
    m_out.close();
    m_value = nullptr;
    if (!fileName.empty()) {
        if (m_files.size() == m_maxFiles)
            return refuse(413, say(m_words, PHONE_TEXT("At most %1 photos can be sent at once. Nothing was changed."),
                                   {std::to_string(m_maxFiles)}));
        m_files.push_back({std::string(fileName.substr(0, 200)), m_folder / ("photo-" + std::to_string(m_files.size())), {}, 0});
        m_out.open(m_files.back().file, std::ios::binary);
        return m_out.good() ||
               refuse(500, say(m_words, PHONE_TEXT("The desktop has no room for the photos. Nothing was changed.")));
    }
    if (m_fields.size() == kMaxFormFields)
        return refuse(413, say(m_words, PHONE_TEXT("The form has too many fields. Nothing was changed.")));
    m_value = &m_fields.emplace(std::string(name), std::string())->second;
    return true;
}

bool UploadReader::addData(const char* data, std::size_t length)
{
    if (m_value) {
        if (m_value->size() + length > kMaxFormFieldBytes)
            return refuse(413, say(m_words, PHONE_TEXT("A field of the form is too long. Nothing was changed.")));
        m_value->append(data, length);
        return true;
    }
    if (m_files.empty())
        return refuse(400, say(m_words, PHONE_TEXT("The form could not be read. Nothing was changed.")));
    ReceivedFile& file = m_files.back();
    file.size += length;
    if (file.size > m_maxFileBytes)
        return refuse(413, say(m_words, PHONE_TEXT("“%1” is larger than %2 MB. Nothing was changed."),
                               {file.sentName, std::to_string(m_maxFileBytes / (1024 * 1024))}));
    if (file.head.size() < picture::kPhotoHeadBytes)
        file.head.append(data, std::min<std::size_t>(length, picture::kPhotoHeadBytes - file.head.size()));
    m_out.write(data, static_cast<std::streamsize>(length));
    return m_out.good() ||
           refuse(500, say(m_words, PHONE_TEXT("The desktop has no room for the photos. Nothing was changed.")));
}

void UploadReader::finish()
{
    m_out.close();
    m_value = nullptr;
}

std::variant<std::vector<std::filesystem::path>, Refusal> UploadReader::photos()
{
    std::vector<std::filesystem::path> photos;
    for (const ReceivedFile& file : m_files) {
        if (file.size == 0)
            continue;
        std::string extension;
        if (sniffPhotoType(file.head, &extension).empty())
            return Refusal{422, say(m_words,
                                    PHONE_TEXT("“%1” is not a photo: Talvane takes JPEG, PNG, WebP, GIF, TIFF and HEIC "
                                               "photos. Nothing was changed."),
                                    {file.sentName})};
        std::filesystem::path named = file.file;
        named += extension;
        std::error_code failed;
        std::filesystem::rename(file.file, named, failed);
        if (failed)
            return Refusal{500, say(m_words, PHONE_TEXT("The desktop has no room for the photos. Nothing was changed."))};
        photos.push_back(named);
    }
    return photos;
}

UploadFolder::UploadFolder(const std::filesystem::path& parent)
{
    std::string pattern =
        ((parent.empty() ? std::filesystem::temp_directory_path() : parent) / "talvane-upload-XXXXXX")
            .string();
    if (mkdtemp(pattern.data()))
        m_path = pattern;
}

UploadFolder::~UploadFolder()
{
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

} // namespace talvane::companion
