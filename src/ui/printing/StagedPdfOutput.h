#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QTemporaryFile;

// Makes a print run to a PDF file write a file of its own beside the target, and put it
// in the target's place only when the run has finished: a stopped or failed run leaves
// no partial file, and a file already there stays as it was. Other printers are left
// alone. The printer gets its own file name back when this ends.
class StagedPdfOutput {
public:
    explicit StagedPdfOutput(QPrinter& printer);
    ~StagedPdfOutput();
    StagedPdfOutput(const StagedPdfOutput&) = delete;
    StagedPdfOutput& operator=(const StagedPdfOutput&) = delete;

    // False when the file beside the target could not be made.
    bool ready() const { return m_ready; }
    // Puts the finished file in place of the target; false when it could not.
    bool commit();

private:
    QPrinter& m_printer;
    QString m_target;
    std::unique_ptr<QTemporaryFile> m_staging;
    bool m_ready = true;
};
