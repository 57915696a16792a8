#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <vector>

class CTalvaneDoc;
class QWidget;
namespace talvane::collection {
class RecoveryStore;
}
class UiServices;

// What can bring back a collection file that cannot be read, offered in this order: a
// whole copy a save left beside it, the versions kept of it, and the unsaved work of a
// Talvane that closed while it had the collection open. What is chosen takes the
// collection's place as unsaved changes of that file.
class CollectionRescue {
    Q_DECLARE_TR_FUNCTIONS(CollectionRescue)
public:
    CollectionRescue(CTalvaneDoc& doc, UiServices& services, const talvane::collection::RecoveryStore& store, QWidget* parent);

    // True when something took the unreadable collection's place.
    bool offer(const QString& path);

private:
    // One way to bring the file back: told in the question, a button, what it does.
    struct Way {
        QString description;
        QString button;
        std::function<bool()> take;
    };

    std::vector<Way> waysToRescue(const QString& path);
    bool restoreVersion(const QString& path);

    CTalvaneDoc& m_doc;
    UiServices& m_services;
    const talvane::collection::RecoveryStore& m_store;
    QWidget* m_parent;
};
