#pragma once

#include "ui/document/TalvaneDoc.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>

class CBonsaiData;
class CPage1;
class CPage2;
class CPage3;
class CPage4;
class CPage5;
class CPage6;
class FieldFormPage;
class GardenPage;
class JournalPage;

// The page fields are those the field catalogue puts on a tab: the 51 of the form and
// album tabs, then the garden's two fields and the journal's. Name and the spare fields are not among them:
// the pages never touch those.

// True when the page fields of both entries hold the same bytes.
bool pageFieldsEqual(const CBonsaiData& a, const CBonsaiData& b);
// The values of the page fields in which `edited` differs from `entry`.
FieldValues changedPageFieldValues(const CBonsaiData& entry, const CBonsaiData& edited);
// The values of the page fields of an entry, and of its photo fields alone.
FieldValues pageFieldValues(const CBonsaiData& entry);
FieldValues photoFieldValues(const CBonsaiData& entry);

// Moves values between an entry and the members of the seven pages, page by page in
// the order plant, purchase, transformation, maintenance, species, album, journal, garden.
class PageTransfer {
public:
    PageTransfer(CPage2& plant, CPage3& purchase, CPage4& transformation, CPage5& maintenance, CPage6& species,
                 CPage1& album, JournalPage& journal, GardenPage& garden);

    // Gives the pages the entry's values and shows them; the album lists its photos.
    void loadEntry(const CBonsaiData& entry);
    // Gives the album and Journal tabs the entry's photos and merged(the journal the tab
    // holds), and the Garden tab the entry's place and watch, leaving the form tabs as
    // they are. Changes on those three tabs are steps of their own at once, so they hold
    // no edits a step could overwrite.
    void loadAlbumAndJournal(const CBonsaiData& entry, const std::function<std::string(const std::string&)>& merged);
    // Reads the pages and copies their values into the entry's page fields.
    void readPagesInto(CBonsaiData& entry);
    // Empties every page (no radio button checked) and the album's list.
    void clearPages();
    // Empties the pages and gives them what a new entry takes from the guide.
    void prepareNewEntry(int speciesIndex, const std::string& typedBotanicalName);

private:
    // The five form tabs, in the order their values are moved.
    std::array<FieldFormPage*, 5> formPages();
    void toPages(const CBonsaiData& entry);
    void refreshPages();

    CPage2& m_plant;
    CPage3& m_purchase;
    CPage4& m_transformation;
    CPage5& m_maintenance;
    CPage6& m_species;
    CPage1& m_album;
    JournalPage& m_journal;
    GardenPage& m_garden;
    // The IntExt text of the entry on the pages: the radio buttons show it as a number.
    std::string m_shownIntExt;
};
