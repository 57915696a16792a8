#include "ui/printing/StagedPdfOutput.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>

#include <sys/stat.h>

namespace {

// A new file gets the permissions any file made here would get; a replaced one keeps its own.
void givePermissionsOf(const QString& target, const QString& staged)
{
    if (QFileInfo::exists(target)) {
        QFile::setPermissions(staged, QFile::permissions(target));
        return;
    }
    const mode_t mask = umask(0);
    umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    const std::pair<mode_t, QFileDevice::Permission> bits[] = {
        {S_IRUSR, QFileDevice::ReadOwner}, {S_IWUSR, QFileDevice::WriteOwner}, {S_IRGRP, QFileDevice::ReadGroup},
        {S_IWGRP, QFileDevice::WriteGroup}, {S_IROTH, QFileDevice::ReadOther},  {S_IWOTH, QFileDevice::WriteOther},
    };
    for (const auto& [bit, permission] : bits) {
        if (mode & bit)
            permissions |= permission;
    }
    QFile::setPermissions(staged, permissions);
}

} // namespace

StagedPdfOutput::StagedPdfOutput(QPrinter& printer) : m_printer(printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return;
    m_target = printer.outputFileName();
    const QFileInfo target(m_target);
    m_staging = std::make_unique<QTemporaryFile>(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                                                 QStringLiteral(".XXXXXX"));
    m_ready = m_staging->open();
    if (!m_ready)
        return;
    // The printer opens the file by its name; this keeps only the name reserved.
    m_staging->close();
    printer.setOutputFileName(m_staging->fileName());
}

StagedPdfOutput::~StagedPdfOutput()
{
    if (!m_target.isEmpty())
        m_printer.setOutputFileName(m_target);
}

bool StagedPdfOutput::commit()
{
    if (!m_staging)
        return true;
    givePermissionsOf(m_target, m_staging->fileName());
    // rename() replaces the target in one step, so a reader never sees half a file.
    if (std::rename(QFile::encodeName(m_staging->fileName()).constData(), QFile::encodeName(m_target).constData()) != 0)
        return false;
    m_staging->setAutoRemove(false);
    return true;
}
