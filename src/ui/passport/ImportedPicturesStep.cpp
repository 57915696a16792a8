#include "ui/passport/ImportedPicturesStep.h"

#include "ui/document/TalvaneDoc.h"

ImportedPicturesStep::ImportedPicturesStep(CTalvaneDoc& doc, talvane::passport::PlacedFiles placed,
                                           const std::filesystem::path& albumFolder,
                                           const std::filesystem::path& photosFolder)
    : m_doc(doc), m_pictures(std::move(placed), albumFolder, photosFolder)
{
    // The history goes before the document: the connection always ends first.
    m_saved = QObject::connect(&doc, &CTalvaneDoc::saved, [this] {
        if (m_done)
            m_pictures.keepForGood();
    });
}

ImportedPicturesStep::~ImportedPicturesStep()
{
    QObject::disconnect(m_saved);
}

void ImportedPicturesStep::undo()
{
    m_done = false;
    m_pictures.setAside(m_doc.entries());
}

void ImportedPicturesStep::redo()
{
    m_pictures.putBack();
    m_done = true;
}
