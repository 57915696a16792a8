#pragma once

#include <QString>

#include <optional>

// "Share with phones at login": an entry in the desktop's autostart folder that starts
// Talvane at login serving the collection to its paired phones in the background. One
// entry per collection, named after it as its other settings are.
class ShareAtLogin {
public:
    explicit ShareAtLogin(const QString& collection);

    bool isOn() const;
    // Writes the entry serving on `bindAddress`, or removes it; nothing on success, or
    // the sentence saying why not.
    std::optional<QString> turnOn(const QString& bindAddress) const;
    std::optional<QString> turnOff() const;

private:
    QString m_collection;
    QString m_entryFile;
};
