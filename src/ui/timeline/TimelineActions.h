#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>

class CTalvaneDoc;
class UiServices;

// What the timeline window and the Journal tab do to a tree's photos. Each action is
// one step of the history at once, made beside the edits on the pages, which stay as
// they are. Every failure is told in one message and changes nothing.
class TimelineActions {
public:
    TimelineActions(CTalvaneDoc& doc, UiServices& services);

    // Asks for photos (several at once) and adds them; false when none were added.
    bool askAndAddPhotos(std::size_t position);
    // Copies the photos into the Photos folder and adds one event each to the tree's
    // journal, dated by the camera or the file: one step, "Add photos to “Momiji”".
    bool addPhotos(std::size_t position, const QStringList& paths);
    // Makes the album's 250 x 250 copy of a photo, as the album's own import does, and
    // puts it in the tree's first free album place with `description`.
    bool useInAlbum(std::size_t position, const QString& photoPath, const std::string& description);

private:
    void tell(const QString& text);

    CTalvaneDoc& m_doc;
    UiServices& m_services;
};
