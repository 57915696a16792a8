#include "support/ui/AppFixture.h"

#include "core/collection/CollectionFile.h"
#include "ui/framework/AppSettings.h"
#include "ui/framework/BaseDirectory.h"
#include "core/guide/GuideEspece.h"

#include <QComboBox>

using namespace talvane::collection;

AppFixture::AppFixture()
{
    appSettings().clear();
    std::filesystem::create_directory(dir / "Album");
    setBaseDirectory(q(dir.path()));
    g_speciesGuide.clear();
    // Tests run side by side: each shares on a port of its own.
    startOptions.sharingPort = 0;
}

AppFixture::~AppFixture()
{
    app.reset();
    g_speciesGuide.clear();
}

bool AppFixture::start(const QString& collection)
{
    app = std::make_unique<CTalvaneApp>(ui.services());
    StartOptions options = startOptions;
    options.collection = collection;
    options.splash = false;
    if (options.recoveryFolder.empty())
        options.recoveryFolder = recoveryDir.path();
    return app->InitInstance(options);
}

void AppFixture::chooseEntry(int index)
{
    QComboBox* list = bar().entryList();
    list->setCurrentIndex(index);
    emit list->activated(index);
}

QStringList AppFixture::listedNames() const
{
    QStringList names;
    for (int i = 0; i < bar().entryList()->count(); ++i)
        names.append(bar().entryList()->itemText(i));
    return names;
}

std::filesystem::path AppFixture::makeCollection(const std::string& file, const std::vector<std::string>& names,
                                                 const std::function<void(CBonsaiData&, std::size_t)>& fill)
{
    EntryList entries;
    for (std::size_t i = 0; i < names.size(); ++i) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = names[i];
        if (fill)
            fill(*entries.back(), i);
    }
    const auto path = dir / file;
    EXPECT_FALSE(saveCollectionFile(path, entries));
    return path;
}
