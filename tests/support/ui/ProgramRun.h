#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What a run of one of the programs built beside the test printed and how it ended.
struct ProgramRun {
    int status = -1; // -1 when it crashed or did not end within 30 seconds
    QString out;
    QString err;
};

// Runs the program (talvane, talvane-cli) in the folder and waits for its end.
ProgramRun runBuiltProgram(const QString& program, const QStringList& arguments, const QString& folder,
                           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// This process's environment as on a machine without a display: no X11 or Wayland
// display, and no Qt platform chosen.
QProcessEnvironment environmentWithoutDisplay();
