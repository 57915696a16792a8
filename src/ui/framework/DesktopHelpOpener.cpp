#include "ui/framework/DesktopHelpOpener.h"

#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <utility>

DesktopHelpOpener::DesktopHelpOpener(QString opener, int watchMs) : m_opener(std::move(opener)), m_watchMs(watchMs)
{
}

DesktopHelpOpener::~DesktopHelpOpener()
{
    // Only the shells that wait go: the openers, and the browsers they started, stay.
    for (QProcess* run : findChildren<QProcess*>()) {
        run->disconnect(this);
        run->kill();
        run->waitForFinished();
    }
}

void DesktopHelpOpener::openPage(const QString& path)
{
    auto* run = new QProcess(this);
    auto* watch = new QTimer(run);
    watch->setSingleShot(true);
    // A shell that waits for the opener gives its exit status; stopping the shell
    // leaves the opener running, where stopping the opener could stop the browser too.
    run->setProgram(QStringLiteral("/bin/sh"));
    run->setArguments({QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\" & wait $!"), m_opener,
                       QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)});
    run->setProcessChannelMode(QProcess::ForwardedChannels);
    run->setStandardInputFile(QProcess::nullDevice());
    connect(run, &QProcess::finished, this, [this, run, watch, path](int code, QProcess::ExitStatus status) {
        if (watch->isActive() && (status != QProcess::NormalExit || code != 0))
            emit pageNotOpened(path);
        run->deleteLater();
    });
    connect(run, &QProcess::errorOccurred, this, [this, run, path](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        emit pageNotOpened(path);
        run->deleteLater();
    });
    connect(watch, &QTimer::timeout, run, &QProcess::kill);
    watch->start(m_watchMs);
    run->start();
}
