#pragma once

#include "ui/app/MainFrame.h"
#include "ui/app/TalvaneApp.h"
#include "core/collection/CollectionArchive.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/editing/EntryBar.h"
#include "ui/editing/TalvaneView.h"

#include "support/core/TempDir.h"
#include "support/ui/ScriptedUiServices.h"

#include <QString>
#include <functional>
#include <gtest/gtest.h>

// A whole program under test: fresh settings, a base directory of its own with an
// Album folder, an empty species guide, and every dialog answered by script.
class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    // Starts the program on a collection (or a new one), without the splash.
    bool start(const QString& collection = QString());

    CTalvaneDoc& doc() const { return app->document(); }
    CMainFrame& frame() const { return *app->mainFrame(); }
    CTalvaneView& view() const { return frame().view(); }
    EntryBar& bar() const { return frame().entryBar(); }

    // Chooses an entry in the entry list as the user does.
    void chooseEntry(int index);
    QStringList listedNames() const;

    // Writes a collection file of one entry per name; `fill` may set more fields.
    std::filesystem::path makeCollection(const std::string& file, const std::vector<std::string>& names,
                                         const std::function<void(CBonsaiData&, std::size_t)>& fill = {});
    static QString q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

    // How the program starts beyond its collection, set before Start.
    StartOptions startOptions;
    TempDir dir;
    // Where the program under test keeps unsaved work, away from the user's, unless
    // startOptions names another folder.
    TempDir recoveryDir;
    ScriptedUiServices ui;
    std::unique_ptr<CTalvaneApp> app;
};

// The question asked before edits on the pages are dropped.
inline const QString kKeepChanges = QStringLiteral("Do you wish to update the change(s)\nyou made on the previous entry?");
