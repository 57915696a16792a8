#pragma once

#include <QString>

#include <optional>

// The collections the grower is reminded of at login, kept in the settings, and the
// autostart entry that runs "talvane --remind" with all of them.
class LoginReminders {
public:
    static bool isReminded(const QString& collection);
    // Adds or takes out a collection and writes the autostart entry again, or removes it
    // with the last collection. On a failure nothing changes, and the reason is given.
    static std::optional<QString> setReminded(const QString& collection, bool reminded);

    static const QString kSettingsKey;
    static const QString kEntryFileName;
};
