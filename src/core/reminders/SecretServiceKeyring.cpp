#include "core/reminders/SecretServiceKeyring.h"

#include "core/text/Words.h"

#include <libsecret/secret.h>

namespace talvane::reminders {

namespace {

constexpr const char* kCollectionAttribute = "collection";
constexpr const char* kKindAttribute = "secret";

const SecretSchema* reminderSchema()
{
    static const SecretSchema schema = [] {
        SecretSchema made{};
        made.name = "org.orvande.Talvane.Reminders";
        made.flags = SECRET_SCHEMA_NONE;
        made.attributes[0] = {kCollectionAttribute, SECRET_SCHEMA_ATTRIBUTE_STRING};
        made.attributes[1] = {kKindAttribute, SECRET_SCHEMA_ATTRIBUTE_STRING};
        return made;
    }();
    return &schema;
}

const char* kindValue(SecretKind kind)
{
    return kind == SecretKind::PushToken ? "ntfy-token" : "smtp-password";
}

// Why the Secret Service did not answer, in the words the program speaks; frees the error.
std::string unavailable(GError* error)
{
    const std::string reason = error && error->message ? error->message : "";
    g_clear_error(&error);
    return text::sayMessage(SHOWN_TEXT("no keyring answers on this computer (%1)"), {reason});
}

} // namespace

KeptSecret SecretServiceKeyring::find(const std::string& collection, SecretKind kind)
{
    GError* error = nullptr;
    gchar* secret = secret_password_lookup_sync(reminderSchema(), nullptr, &error, kCollectionAttribute,
                                                collection.c_str(), kKindAttribute, kindValue(kind), nullptr);
    if (error)
        return {std::nullopt, unavailable(error)};
    KeptSecret kept;
    if (secret)
        kept.secret = secret;
    secret_password_free(secret);
    return kept;
}

std::optional<std::string> SecretServiceKeyring::keep(const std::string& collection, SecretKind kind,
                                                      std::string_view secret)
{
    const std::string label =
        text::sayMessage(SHOWN_TEXT("%1 of Talvane's reminders for %2"), {secretName(kind), collection});
    const std::string value(secret);
    GError* error = nullptr;
    if (!secret_password_store_sync(reminderSchema(), SECRET_COLLECTION_DEFAULT, label.c_str(), value.c_str(), nullptr,
                                    &error, kCollectionAttribute, collection.c_str(), kKindAttribute, kindValue(kind),
                                    nullptr))
        return unavailable(error);
    return std::nullopt;
}

std::optional<std::string> SecretServiceKeyring::forget(const std::string& collection, SecretKind kind)
{
    GError* error = nullptr;
    secret_password_clear_sync(reminderSchema(), nullptr, &error, kCollectionAttribute, collection.c_str(),
                               kKindAttribute, kindValue(kind), nullptr);
    if (error)
        return unavailable(error);
    return std::nullopt;
}

} // namespace talvane::reminders
