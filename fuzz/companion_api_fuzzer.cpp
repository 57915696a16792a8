// Feeds arbitrary bytes to what the companion's JSON API reads from a request and
// puts in its answers, without the HTTP library:
//   - a form sent as JSON is read within its limits, and the care it gives holds only
//     what the collection can keep: its text reads back unchanged through the plain-form
//     filter, no longer than an event may be, dated no later than today;
//   - a multipart body, cut into parts and chunks by the input, is read within its
//     limits: no more fields, files or bytes than allowed, each file on disk as sent,
//     and only photos are given as photos, named by their format;
//   - a tree whose texts are the input is answered as JSON that parses back to exactly
//     those texts.
#include "core/companion/ApiJson.h"
#include "core/companion/PhoneForms.h"
#include "core/companion/PhonePictures.h"
#include "core/companion/UploadReader.h"
#include "core/journal/Journal.h"
#include "core/text/StorableForm.h"
#include "core/text/Windows1252.h"
#include "core/picture/PhotoFormat.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

using namespace talvane::collection;

namespace {

using namespace talvane::companion;
using namespace talvane::journal;
namespace fs = std::filesystem;

constexpr std::size_t kFiles = 3;
constexpr std::uintmax_t kFileBytes = 4096;
const CalendarDate kToday = CalendarDate::fromText("2026-06-15").value();

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "companion_api_fuzzer: %s\n", what);
    std::abort();
}

void checkCare(const FormFields& fields)
{
    const auto care = readLoggedCare(fields, "at0-0", kToday, inEnglish);
    const auto* logged = std::get_if<LoggedCare>(&care);
    if (!logged)
        return;
    if (logged->text.size() > kMaxEventText)
        fail("a text longer than an event may hold was taken");
    if (!talvane::text::makeStorable(talvane::text::cp1252ToUtf8(logged->text)).changes.empty())
        fail("a text was taken that the plain-form filter would change again");
    if (kToday < logged->date || (logged->due && *logged->due < kToday))
        fail("care was dated after today, or due before it");
}

void readJson(std::string_view body)
{
    const auto form = readJsonForm(body, inEnglish);
    const auto* fields = std::get_if<FormFields>(&form);
    if (!fields)
        return;
    if (fields->size() > kMaxFormFields)
        fail("a JSON form with too many fields was taken");
    for (const auto& [name, value] : *fields)
        if (value.size() > kMaxFormFieldBytes)
            fail("a JSON form field longer than allowed was taken");
    checkCare(*fields);
}

const fs::path& folder()
{
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "talvane-api-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            fail("no temporary folder");
        return fs::path(pattern);
    }();
    return folder;
}

// Parts are separated by a line "--"; a part's first line is its name, with a file
// name after a ';' for a file; the input's bytes also choose the chunks' sizes.
void readMultipart(std::string_view body)
{
    for (const auto& item : fs::directory_iterator(folder()))
        fs::remove(item.path());
    UploadReader upload(folder(), inEnglish, kFiles, kFileBytes);
    bool read = true;
    for (std::size_t at = 0; read && at < body.size();) {
        const std::size_t end = std::min(body.find("\n--\n", at), body.size());
        const std::string_view part = body.substr(at, end - at);
        const std::size_t lineEnd = std::min(part.find('\n'), part.size());
        const std::string_view head = part.substr(0, lineEnd);
        const std::size_t semicolon = std::min(head.find(';'), head.size());
        read = upload.startPart(head.substr(0, semicolon), head.substr(std::min(semicolon + 1, head.size())));
        const std::string_view data = part.substr(std::min(lineEnd + 1, part.size()));
        for (std::size_t chunk = 0; read && chunk < data.size();) {
            const std::size_t length = std::min<std::size_t>(1 + static_cast<unsigned char>(data[chunk]) % 97, data.size() - chunk);
            read = upload.addData(data.data() + chunk, length);
            chunk += length;
        }
        at = end + 4;
    }
    upload.finish();
    if (read != !upload.refusal())
        fail("a body was refused without saying why, or said why and was taken");
    if (!read)
        return;
    if (upload.fields().size() > kMaxFormFields || upload.files().size() > kFiles)
        fail("more fields or files were taken than allowed");
    for (const auto& file : upload.files())
        if (file.size > kFileBytes || fs::file_size(file.file) != file.size)
            fail("a file was taken larger than allowed, or not as it was sent");
    checkCare(upload.fields());
    const auto photos = upload.photos();
    if (const auto* taken = std::get_if<std::vector<fs::path>>(&photos))
        for (const fs::path& photo : *taken) {
            std::string extension;
            std::ifstream in(photo, std::ios::binary);
            std::string headBytes(talvane::picture::kPhotoHeadBytes, '\0');
            in.read(headBytes.data(), static_cast<std::streamsize>(headBytes.size()));
            headBytes.resize(static_cast<std::size_t>(in.gcount()));
            if (sniffPhotoType(headBytes, &extension).empty() || photo.extension() != extension)
                fail("a file that is no photo, or named for another format, was taken as a photo");
        }
}

void answerTree(std::string_view cp1252)
{
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = cp1252;
    (*entries.back())[CBonsaiData::BotanicalName] = cp1252;
    const CollectionSnapshot collection(entries, "fuzz.tvn", "/nonexistent/Album", "/nonexistent/Photos");
    const nlohmann::json answer = treeJson({collection, kToday, inEnglish}, 0);
    const auto back = nlohmann::json::parse(answer.dump(), nullptr, false);
    if (back.is_discarded() || back["name"] != talvane::text::cp1252ToUtf8(cp1252) || back["botanicalName"] != back["name"])
        fail("a tree's text did not come back unchanged from its JSON");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0)
        readJson(rest);
    else
        readMultipart(rest);
    answerTree(rest.substr(0, 4000));
    return 0;
}
