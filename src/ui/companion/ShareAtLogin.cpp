#include "ui/companion/ShareAtLogin.h"

#include "core/companion/ProgramTokens.h"
#include "ui/framework/FilePaths.h"
#include "ui/journal/AutostartEntry.h"

#include <QCoreApplication>
#include <QFileInfo>

ShareAtLogin::ShareAtLogin(const QString& collection)
    : m_collection(QFileInfo(collection).absoluteFilePath()),
      m_entryFile(QStringLiteral("talvane-share-%1.desktop")
                      .arg(QString::fromStdString(
                          talvane::companion::ProgramTokens::fileFor(fsPath(m_collection)).stem().string())))
{
}

bool ShareAtLogin::isOn() const
{
    return AutostartEntry(m_entryFile).exists();
}

std::optional<QString> ShareAtLogin::turnOn(const QString& bindAddress) const
{
    return AutostartEntry(m_entryFile)
        .write(QCoreApplication::translate("ShareAtLogin", "Talvane: %1 shared with phones")
                   .arg(QFileInfo(m_collection).fileName()),
               QCoreApplication::translate("ShareAtLogin", "Serves a bonsai collection to its paired phones in the background"),
               {QCoreApplication::applicationFilePath(), QStringLiteral("--background"), bindAddress, m_collection});
}

std::optional<QString> ShareAtLogin::turnOff() const
{
    return AutostartEntry(m_entryFile).remove();
}
