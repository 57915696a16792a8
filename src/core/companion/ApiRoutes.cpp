#include "core/companion/ApiJson.h"
#include "core/companion/LabelPhoto.h"
#include "core/companion/PhoneForms.h"
#include "core/companion/PhonePictures.h"
#include "core/companion/Serving.h"
#include "core/companion/WebFiles.h"
#include "core/garden/Place.h"
#include "core/journal/CareCalendar.h"
#include "core/labels/TreeLabel.h"
#include "core/text/Windows1252.h"

#include <algorithm>
#include <ctime>

namespace talvane::companion {

namespace {

using httplib::Request;
using httplib::Response;
using nlohmann::json;

constexpr char kTreeId[] = "([a-z0-9-]{1,64})";
// A place's name as the path holds it, decoded: a place may be called "Shelf 1/2".
constexpr char kPlaceName[] = "(.{1,600})";
constexpr std::size_t kMaxQuery = 200;
// How large a picture is sent when no size is asked: an album bitmap as the tree's page
// shows it, a photo as a phone's screen does.
constexpr int kAlbumSide = 480;
constexpr int kPhotoSide = 1280;
constexpr int kSmallestSide = 16;
constexpr int kLargestSide = 2048;

std::shared_ptr<const CollectionSnapshot> sharedCollection(Serving& serving, Response& response)
{
    auto collection = serving.host.snapshot();
    if (!collection)
        sendRefusal(response, {503, say(serving.words(), PHONE_TEXT("The collection is no longer shared from the desktop."))});
    return collection;
}

ApiView viewOf(Serving& serving, const CollectionSnapshot& collection)
{
    return {collection, journal::CalendarDate::today(), serving.words()};
}

void refuseTreeGone(Serving& serving, Response& response)
{
    sendRefusal(response, {404, say(serving.words(), PHONE_TEXT("This tree is no longer in the collection: it was "
                                                                "deleted or changed on the desktop."))});
}

void refuseNumber(Serving& serving, Response& response, std::string_view parameter)
{
    sendRefusal(response, {422, say(serving.words(), PHONE_TEXT("“%1” must be a whole number."), {std::string(parameter)})});
}

// The address the phone reached us by, for links a calendar follows; only the
// characters of a host name, an IP address and a port.
std::string requestHost(const Request& request, int port)
{
    std::string host = request.get_header_value("Host");
    const bool plain = !host.empty() && host.size() <= 100 && std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' || c == '[' || c == ']';
    });
    return plain ? host : "localhost:" + std::to_string(port);
}

// A change made, saying whether it was written to the file, or the refusal it met,
// which takes its write back.
void sendOutcome(Serving& serving, const Request& request, const Caller& caller, Response& response,
                 const ChangeOutcome& outcome, json applied)
{
    if (!outcome.applied()) {
        serving.releaseWrite(request, caller);
        sendRefusal(response, {outcome.httpStatus(), outcome.message.said(serving.words())});
        return;
    }
    applied["saved"] = outcome.saved;
    sendJson(response, outcome.httpStatus(), applied);
}

void getOpenApi(Serving&, const Request&, Response& response)
{
    response.set_content(std::string(webFile("openapi.json").value_or("{}")), "application/json");
}

void getSession(Serving& serving, const Request& request, Response& response)
{
    const auto collection = sharedCollection(serving, response);
    if (!collection)
        return;
    const Caller& caller = serving.admittedCaller();
    const std::string calendar = caller.session ? "webcal://" + requestHost(request, serving.port) +
                                                      "/calendar.ics?key=" + caller.session->calendarKey
                                                : std::string();
    sendJson(response, 200,
             {{"collection", collection->title()},
              {"formToken", caller.session ? caller.session->formToken : std::string()},
              {"calendar", calendar},
              {"today", journal::CalendarDate::today().text()},
              {"language", say(serving.words(), PHONE_TEXT("en"))}});
}

void getWords(Serving& serving, const Request&, Response& response)
{
    sendJson(response, 200, wordsJson(serving.words(), webFile("phone.js").value_or("")));
}

void listTrees(Serving& serving, const Request& request, Response& response)
{
    const auto offset = request.has_param("offset") ? readIndex(request.get_param_value("offset"), 9) : std::size_t{0};
    const auto limit = request.has_param("limit") ? readIndex(request.get_param_value("limit"), 9) : std::nullopt;
    if (!offset)
        return refuseNumber(serving, response, "offset");
    if (request.has_param("limit") && (!limit || *limit == 0))
        return refuseNumber(serving, response, "limit");
    if (const auto collection = sharedCollection(serving, response))
        sendJson(response, 200,
                 treeListJson(viewOf(serving, *collection), request.get_param_value("q").substr(0, kMaxQuery), *offset, limit));
}

void getTree(Serving& serving, const Request& request, Response& response)
{
    const auto collection = sharedCollection(serving, response);
    if (!collection)
        return;
    if (const auto position = collection->findTree(request.matches[1].str()))
        sendJson(response, 200, treeJson(viewOf(serving, *collection), *position));
    else
        refuseTreeGone(serving, response);
}

// How a text typed on the phone was changed so that the file can hold it, when it was.
void tellRecoded(const PhoneWords& words, const std::vector<text::StorableChange>& changes, json& answer)
{
    if (!changes.empty())
        answer["notice"] = say(words, PHONE_TEXT("“%1” was changed to “%2”: a Talvane collection cannot store “%1”"),
                               {changes[0].typed, changes[0].stored});
}

json addedJson(Serving& serving, const ChangeOutcome& outcome, const LoggedCare& care)
{
    json photoEvents = json::array();
    for (std::size_t i = 1; i < outcome.added.size(); ++i)
        photoEvents.push_back(eventJson(serving.words(), outcome.treeRef, outcome.added[i].line, outcome.added[i].event));
    json added = {{"tree", outcome.treeRef}, {"photoEvents", std::move(photoEvents)}};
    if (!outcome.added.empty())
        added["event"] = eventJson(serving.words(), outcome.treeRef, outcome.added[0].line, outcome.added[0].event);
    tellRecoded(serving.words(), care.textChanges, added);
    return added;
}

// A form's fields and photos: multipart, read as they arrive, or a JSON object without
// photos, as a program may send it.
struct ReceivedForm {
    FormFields fields;
    std::vector<std::filesystem::path> photos;
};

std::variant<ReceivedForm, Refusal> receiveForm(Serving& serving, const Request& request,
                                                const httplib::ContentReader& reader, const UploadFolder& folder)
{
    const PhoneWords& words = serving.words();
    const Refusal unread{400, say(words, PHONE_TEXT("The form could not be read. Nothing was changed."))};
    if (request.get_header_value("Content-Type").starts_with("application/json")) {
        std::string body;
        const bool read = reader([&](const char* data, std::size_t length) {
            body.append(data, length);
            return body.size() <= kMaxFormBytes;
        });
        auto fields = read ? readJsonForm(body, words) : std::variant<FormFields, std::string>(unread.message);
        if (const auto* problem = std::get_if<std::string>(&fields))
            return Refusal{read ? 400 : 413, *problem};
        return ReceivedForm{std::get<FormFields>(std::move(fields)), {}};
    }
    if (folder.path().empty())
        return Refusal{500, say(words, PHONE_TEXT("The desktop has no room for the photos. Nothing was changed."))};
    UploadReader upload(folder.path(), words, kMaxPhotosPerRequest, kMaxPhotoBytes);
    const bool read = request.is_multipart_form_data() &&
                      reader([&](const httplib::MultipartFormData& part) { return upload.startPart(part.name, part.filename); },
                             [&](const char* data, std::size_t length) { return upload.addData(data, length); });
    upload.finish();
    if (!read)
        return upload.refusal().value_or(unread);
    auto photos = upload.photos();
    if (const auto* notPhoto = std::get_if<Refusal>(&photos))
        return *notPhoto;
    return ReceivedForm{upload.fields(), std::get<std::vector<std::filesystem::path>>(std::move(photos))};
}

// Care logged on a tree.
void addEvent(Serving& serving, const Request& request, Response& response, const httplib::ContentReader& reader)
{
    const PhoneWords& words = serving.words();
    const Caller& caller = serving.admittedCaller();
    const UploadFolder folder(serving.options.uploadFolder);
    auto received = receiveForm(serving, request, reader, folder);
    if (const auto* refused = std::get_if<Refusal>(&received)) {
        // What is left of a body not read to its end must not be taken for a request.
        response.set_header("Connection", "close");
        return sendRefusal(response, *refused);
    }
    ReceivedForm& form = std::get<ReceivedForm>(received);
    if (const auto refused = serving.claimWrite(request, caller, fieldValue(form.fields, "form")))
        return sendRefusal(response, *refused);
    auto care = readLoggedCare(form.fields, request.matches[1].str(), journal::CalendarDate::today(), words);
    if (const auto* invalid = std::get_if<std::string>(&care)) {
        serving.releaseWrite(request, caller);
        return sendRefusal(response, {422, say(words, PHONE_TEXT("%1 Nothing was changed."), {*invalid})});
    }
    LoggedCare& logged = std::get<LoggedCare>(care);
    logged.photos = std::move(form.photos);
    logged.sender = caller.name();
    const ChangeOutcome outcome = serving.host.apply(logged);
    sendOutcome(serving, request, caller, response, outcome, outcome.applied() ? addedJson(serving, outcome, logged) : json());
    if (outcome.applied())
        response.status = 201;
}

void listPlaces(Serving& serving, const Request&, Response& response)
{
    if (const auto collection = sharedCollection(serving, response))
        sendJson(response, 200, placesJson(viewOf(serving, *collection)));
}

// "Watering logged on 14 trees", and the trees' references.
json placeCaredJson(Serving& serving, const ChangeOutcome& outcome, const PlaceCare& care)
{
    const PhoneWords& words = serving.words();
    const std::string kind = say(words, journal::careKindName(care.kind));
    const std::size_t count = outcome.treeRefs.size();
    json cared = {{"place", text::cp1252ToUtf8(care.placeName)},
                  {"trees", outcome.treeRefs},
                  {"text", count == 1 ? say(words, PHONE_TEXT("%1 logged on 1 tree"), {kind})
                                      : say(words, PHONE_TEXT("%1 logged on %2 trees"), {kind, std::to_string(count)})}};
    tellRecoded(words, care.textChanges, cared);
    return cared;
}

// The same care on every tree standing at a place: a bench watered, a shelf fed.
void careForPlace(Serving& serving, const Request& request, Response& response, const httplib::ContentReader& reader)
{
    const PhoneWords& words = serving.words();
    const Caller& caller = serving.admittedCaller();
    const UploadFolder folder(serving.options.uploadFolder);
    auto received = receiveForm(serving, request, reader, folder);
    if (const auto* refused = std::get_if<Refusal>(&received)) {
        response.set_header("Connection", "close");
        return sendRefusal(response, *refused);
    }
    const FormFields& fields = std::get<ReceivedForm>(received).fields;
    if (const auto refused = serving.claimWrite(request, caller, fieldValue(fields, "form")))
        return sendRefusal(response, *refused);
    // The names the trees hold are Windows-1252: a name no tree can hold is no place.
    const auto name = text::utf8ToCp1252Strict(request.matches[1].str());
    if (!name)
        return sendOutcome(serving, request, caller, response, placeGone(), {});
    auto care = readPlaceCare(fields, *name, journal::CalendarDate::today(), words);
    if (const auto* invalid = std::get_if<std::string>(&care)) {
        serving.releaseWrite(request, caller);
        return sendRefusal(response, {422, say(words, PHONE_TEXT("%1 Nothing was changed."), {*invalid})});
    }
    PlaceCare& given = std::get<PlaceCare>(care);
    given.sender = caller.name();
    const ChangeOutcome outcome = serving.host.apply(given);
    sendOutcome(serving, request, caller, response, outcome, outcome.applied() ? placeCaredJson(serving, outcome, given) : json());
    if (outcome.applied())
        response.status = 201;
}

void listAlerts(Serving& serving, const Request&, Response& response)
{
    if (const auto collection = sharedCollection(serving, response))
        sendJson(response, 200, alertsJson(viewOf(serving, *collection)));
}

void listDue(Serving& serving, const Request&, Response& response)
{
    if (const auto collection = sharedCollection(serving, response))
        sendJson(response, 200, dueJson(viewOf(serving, *collection)));
}

void markDone(Serving& serving, const Request& request, Response& response)
{
    const Caller& caller = serving.admittedCaller();
    const auto task = readTaskName(request.matches[1].str());
    if (!task)
        return sendRefusal(response, {404, say(serving.words(), PHONE_TEXT("The form names no task."))});
    if (const auto refused = serving.claimWrite(request, caller, request.get_param_value("form")))
        return sendRefusal(response, *refused);
    const DoneTask done{task->treeRef, task->line, task->check, journal::CalendarDate::today(), caller.name()};
    const ChangeOutcome outcome = serving.host.apply(done);
    sendOutcome(serving, request, caller, response, outcome, {{"tree", outcome.treeRef}});
}

// A photo of a label opens its tree. Scanning changes nothing, yet a phone's form must
// still be the session's own.
void scanLabel(Serving& serving, const Request& request, Response& response)
{
    const PhoneWords& words = serving.words();
    const Caller& caller = serving.admittedCaller();
    const std::string header = request.get_header_value("X-Talvane-Form");
    if (caller.session &&
        !serving.sessions.isOwnForm(caller.secret, header.empty() ? request.get_file_value("form").content : header))
        return sendRefusal(response, {403, say(words, PHONE_TEXT("This form is out of date or did not come from "
                                                                 "Talvane. Open the page again."))});
    const auto collection = sharedCollection(serving, response);
    if (!collection)
        return;
    const auto read = readQrCodesInPhoto(request.get_file_value("label").content);
    if (const auto* problem = std::get_if<std::string>(&read))
        return sendRefusal(response, {415, say(words, *problem)});
    const auto& texts = std::get<std::vector<std::string>>(read);
    for (const std::string& text : texts)
        if (const auto labelled = collection->findLabelledTree(text))
            return sendJson(response, 200, {{"tree", collection->treeRef(*labelled)}});
    const bool isLabel = std::any_of(texts.begin(), texts.end(),
                                     [](const std::string& text) { return labels::treeIdFromQrText(text).has_value(); });
    sendRefusal(response, {texts.empty() ? 422 : 404,
                           say(words, texts.empty() ? PHONE_TEXT("No QR code can be read in the photo. Take it again "
                                                                 "with the whole code in the picture, in focus and well lit.")
                                      : isLabel     ? PHONE_TEXT("The label is of a tree that is not in this collection.")
                                                    : PHONE_TEXT("The QR code in the photo is not a Talvane label."))});
}

void getPhoto(Serving& serving, const Request& request, Response& response)
{
    std::optional<int> side;
    if (request.has_param("size")) {
        const auto asked = readIndex(request.get_param_value("size"), 4);
        if (!asked || *asked < kSmallestSide || *asked > kLargestSide)
            return sendRefusal(response, {422, say(serving.words(), PHONE_TEXT("“size” must be a number of pixels from %1 to %2."),
                                                   {std::to_string(kSmallestSide), std::to_string(kLargestSide)})});
        side = static_cast<int>(*asked);
    }
    const auto collection = sharedCollection(serving, response);
    if (!collection)
        return;
    const auto name = text::utf8ToCp1252Strict(request.matches[1].str());
    const auto named = name ? collection->findPicture(*name) : std::nullopt;
    std::optional<PhonePicture> picture;
    if (named)
        picture = named->inAlbum ? albumPictureForPhone(named->path.parent_path(), *name, side.value_or(kAlbumSide))
                                 : serving.host.photoForPhone(named->path, side.value_or(kPhotoSide));
    if (!picture)
        return sendRefusal(response, {404, say(serving.words(), PHONE_TEXT("This picture cannot be shown."))});
    keepFor(response, 300);
    response.set_content(std::move(picture->bytes), picture->contentType);
}

void getCalendar(Serving& serving, const Request&, Response& response)
{
    sendCalendar(serving, response);
}

} // namespace

void sendCalendar(Serving& serving, Response& response)
{
    const auto collection = sharedCollection(serving, response);
    if (!collection)
        return;
    const collection::EntryList& entries = collection->entries();
    response.set_content(journal::careCalendarText(entries, journal::pendingTasks(entries), std::time(nullptr)),
                         "text/calendar; charset=utf-8");
}

const std::vector<ApiRoute>& apiRoutes()
{
    static const std::vector<ApiRoute> routes = {
        {"GET", "/api/openapi.json", "/api/openapi\\.json", &getOpenApi},
        {"GET", "/api/session", "/api/session", &getSession},
        {"GET", "/api/words", "/api/words", &getWords},
        {"GET", "/api/trees", "/api/trees", &listTrees},
        {"GET", "/api/trees/{id}", std::string("/api/trees/") + kTreeId, &getTree},
        {"POST", "/api/trees/{id}/events", std::string("/api/trees/") + kTreeId + "/events", &addEvent},
        {"GET", "/api/due", "/api/due", &listDue},
        {"POST", "/api/due/{task}/done", "/api/due/([a-z0-9-]{1,64}\\.[0-9]{1,6}\\.[0-9a-f]{32})/done", &markDone},
        {"GET", "/api/alerts", "/api/alerts", &listAlerts},
        {"GET", "/api/places", "/api/places", &listPlaces},
        {"POST", "/api/places/{name}/care", std::string("/api/places/") + kPlaceName + "/care", &careForPlace},
        {"POST", "/api/labels/scan", "/api/labels/scan", &scanLabel},
        {"GET", "/api/photos/{name}", "/api/photos/([^/]{1,255})", &getPhoto},
        {"GET", "/api/calendar.ics", "/api/calendar\\.ics", &getCalendar},
    };
    return routes;
}

void addApiRoutes(httplib::Server& server, Serving& serving)
{
    for (const ApiRoute& route : apiRoutes()) {
        if (const auto* reading = std::get_if<ApiRoute::ReadingHandler>(&route.handler)) {
            server.Post(route.pattern, [&serving, handler = *reading](const Request& request, Response& response,
                                                                     const httplib::ContentReader& reader) {
                handler(serving, request, response, reader);
            });
            continue;
        }
        const auto handler = std::get<ApiRoute::Handler>(route.handler);
        const auto call = [&serving, handler](const Request& request, Response& response) {
            handler(serving, request, response);
        };
        if (route.method == "GET")
            server.Get(route.pattern, call);
        else
            server.Post(route.pattern, call);
    }
}

} // namespace talvane::companion
