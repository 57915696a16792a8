#pragma once

#include <QObject>
#include <QString>

class CTalvaneDoc;

// Writes the calendar beside the collection after every save of a collection that keeps
// one (CareCalendarBeside); Save As takes the choice along to the new file. A calendar
// that cannot be written leaves the save as it is, and is told by notice().
class CareCalendarKeeper : public QObject {
    Q_OBJECT
public:
    explicit CareCalendarKeeper(const CTalvaneDoc& doc, QObject* parent = nullptr);

signals:
    void notice(const QString& text);

private:
    void onSaved(const QString& path, const QString& formerPath);

    const CTalvaneDoc& m_doc;
};
