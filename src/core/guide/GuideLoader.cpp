#include "core/guide/GuideLoader.h"

#include "core/collection/SafeFile.h"
#include "core/guide/GuideShift.h"

namespace talvane::guide {

namespace {

// Lines longer than this are cut into pieces of this many bytes, each read as a line of
// its own; a line end right after a full piece still belongs to that piece.
constexpr std::size_t kGuideLineMax = 999;

constexpr std::string_view kBlockSeparator = "//////////////";
// Every separator contains it too, so a key search never leaves its block.
constexpr std::string_view kBlockEnd = "//////";

constexpr char kMessageCaption[] = "Attention";
constexpr unsigned kMessageFlags = 0x10;
constexpr char kMissingKeyMessage[] = "Le champs existe pas";
constexpr char kEmptySectionMessage[] = "Information manquante";

constexpr std::string_view kInterior = "Int\xE9rieur";
constexpr std::string_view kExterior = "Ext\xE9rieur";

struct GuideSection {
    std::string_view key;
    std::string CGuideEspece::*member;
};

// The sections of a block in file order. A value runs until the line holding the next
// key of this table, so a file must keep this order even though keys are found anywhere.
constexpr GuideSection GuideSectionKeys[] = {
    {"[Nom botanique]", &CGuideEspece::m_strNomBotanique},
    {"[Nom fran\xE7" "ais]", &CGuideEspece::m_strNomFrancais},
    {"[Nom anglais]", &CGuideEspece::m_strNomAnglais},
    {"[Position]", &CGuideEspece::m_strPosition},
    {"[Arrosage]", &CGuideEspece::m_strArrosage},
    {"[Fertilisation]", &CGuideEspece::m_strFertilisation},
    {"[Taille]", &CGuideEspece::m_strTaille},
    {"[Ligature]", &CGuideEspece::m_strLigature},
    {"[Rempotage]", &CGuideEspece::m_strRempotage},
    {"[Culture]", &CGuideEspece::m_strCulture},
    {"[Hivernage]", &CGuideEspece::m_strHivernage},
    {"[Substrat]", &CGuideEspece::m_strSubstrat},
    {"[Int_Ext]", nullptr},
};
constexpr std::size_t kSectionCount = std::size(GuideSectionKeys);

bool contains(std::string_view line, std::string_view text)
{
    return line.find(text) != std::string_view::npos;
}

// The length of the line end at position: 1 for LF, 2 for CR LF, 0 for none.
std::size_t lineEndLength(std::string_view file, std::size_t position)
{
    if (file[position] == '\n')
        return 1;
    if (file[position] == '\r' && position + 1 < file.size() && file[position + 1] == '\n')
        return 2;
    return 0;
}

// What closes a section's value: the next key anywhere in a line, or for the last
// section a line that is exactly the block end. A first value line that is exactly the
// closing text marks the section empty.
struct ValueEnd {
    std::string_view text;
    bool wholeLine;

    bool closedBy(std::string_view line) const { return wholeLine ? line == text : contains(line, text); }
};

ValueEnd endOfSection(std::size_t section)
{
    if (section + 1 < kSectionCount)
        return {GuideSectionKeys[section + 1].key, false};
    return {kBlockEnd, true};
}

// Lines of a guide file, read in order with returns to a remembered position. The
// thirteen key searches of a block each start again at its body, so a file is read at
// most thirteen times over, plus once more for each value that runs on past its block.
// Many damaged blocks whose values run over the same later lines would multiply that
// beyond any bound, so once twice thirteen passes are spent the reader acts as if the
// file ended there.
class GuideLineReader {
public:
    explicit GuideLineReader(std::string_view file) : m_file(file), m_budget(file.size() * kMaxPasses) {}

    std::optional<std::string> next()
    {
        if (m_spent >= m_budget)
            return std::nullopt;
        const std::size_t start = m_position;
        auto line = ReadGuideLine(m_file, m_position);
        m_spent += m_position - start;
        return line;
    }

    std::size_t position() const { return m_position; }
    void seek(std::size_t position) { m_position = position; }

private:
    static constexpr std::size_t kMaxPasses = 2 * kSectionCount;

    std::string_view m_file;
    std::size_t m_position = 0;
    std::size_t m_budget;
    std::size_t m_spent = 0;
};

// Reads on to the line holding key; fails at a block end or separator line, and at the
// end of the file. A line holding both the key and slashes counts as the key's line.
// The line that ends the search is consumed.
bool findSectionKey(GuideLineReader& reader, std::string_view key)
{
    while (const auto line = reader.next()) {
        if (contains(*line, key))
            return true;
        if (contains(*line, kBlockEnd))
            return false;
    }
    return false;
}

// The value lines after a key line joined without line ends, or nothing when the
// section is marked empty. A value whose file ends before its closing line takes
// everything up to the end; one cut right after its key line is empty.
std::optional<std::string> readSectionValue(GuideLineReader& reader, ValueEnd end)
{
    std::string value;
    auto line = reader.next();
    if (line && *line == end.text)
        return std::nullopt;
    while (line) {
        value += *line;
        line = reader.next();
        if (line && end.closedBy(*line))
            break;
    }
    return value;
}

std::int32_t intExtCode(std::string_view value)
{
    if (value == kInterior)
        return 0;
    if (value == kExterior)
        return 1;
    return -1;
}

void storeSection(CGuideEspece& species, std::size_t section, std::string value)
{
    if (const auto member = GuideSectionKeys[section].member)
        species.*member = std::move(value);
    else
        species.m_nIntExtCode = intExtCode(value);
}

// Reads the block whose body starts at the reader's position. Each key is searched from
// the body start, so keys are found in any order, and a missing key only costs its own
// section. Leaves the reader where the last section stopped: after the end line of a
// well-formed block.
std::unique_ptr<CGuideEspece> readBlock(GuideLineReader& reader, const GuideMessageSink& show)
{
    auto species = std::make_unique<CGuideEspece>();
    const std::size_t bodyStart = reader.position();
    for (std::size_t section = 0; section < kSectionCount; ++section) {
        reader.seek(bodyStart);
        if (!findSectionKey(reader, GuideSectionKeys[section].key)) {
            show(kMissingKeyMessage, kMessageCaption, kMessageFlags);
            continue;
        }
        auto value = readSectionValue(reader, endOfSection(section));
        if (!value)
            show(kEmptySectionMessage, kMessageCaption, kMessageFlags);
        storeSection(*species, section, value.value_or(std::string()));
    }
    return species;
}

} // namespace

std::optional<std::string> readGuideFile(const std::filesystem::path& path)
{
    std::string bytes;
    if (collection::readWholeFile(path, bytes))
        return std::nullopt;
    return bytes;
}

void parseSpeciesGuide(std::string_view file, SpeciesGuide& guide, const GuideMessageSink& show)
{
    GuideLineReader reader(file);
    while (const auto line = reader.next()) {
        if (contains(*line, kBlockSeparator))
            guide.push_back(readBlock(reader, show));
    }
}

} // namespace talvane::guide

std::optional<std::string> ReadGuideLine(std::string_view file, std::size_t& position)
{
    using namespace talvane::guide;
    if (position >= file.size())
        return std::nullopt;
    std::string line;
    while (position < file.size()) {
        if (const std::size_t end = lineEndLength(file, position)) {
            position += end;
            break;
        }
        if (line.size() == kGuideLineMax)
            break;
        line += unshiftGuideByte(file[position++]);
    }
    return line;
}

void LoadSpeciesGuide(const std::filesystem::path& path, const talvane::guide::GuideMessageSink& show,
                      talvane::guide::SpeciesGuide& guide)
{
    using namespace talvane::guide;
    if (const auto file = readGuideFile(path))
        parseSpeciesGuide(*file, guide, show);
}
