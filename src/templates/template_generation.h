#pragma once

// The template assistant's rules without widgets: which elements the ticked choices make, how
// many layouts there are, and the random layouts themselves.

#include "imaging/dib_record.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace vellamo::templates {

enum class GraphicChoice { OnlyText, IncludeLogo, InsertPicture };

// The page's check boxes, radio buttons and file names, with their defaults.
struct TemplateChoices {
    bool TitelCheck = true;
    bool BerufCheck = true;
    bool FirmaCheck = false;
    bool SloganCheck = false;
    bool AnschriftCheck = true;
    bool TelCheck = true;
    bool emailCheck = false;
    // "Private Address"; false is "Company Address".
    bool PrivatRadio = true;
    bool FreeCheck = false;
    bool Free2Check = false;
    GraphicChoice graphic = GraphicChoice::IncludeLogo;
    QString GrafikFileEd = QStringLiteral("logo.jpg");
    bool BkGndCheck = true;
    QString BkGndFileED = QStringLiteral("sky.jpg");
};

struct TemplateElement {
    bool isPicture = false;
    // A text block of placeholders, lines separated by a carriage return alone; for a picture
    // the full path of its file.
    std::string text;
    imaging::DibRecord picture;
};

// Cell contents: 0 empty, else an element number 1..E. Indexed [column][row].
struct TemplateLayout {
    std::array<std::array<int, 3>, 3> cells{};
    bool operator==(const TemplateLayout&) const = default;
};

inline constexpr int MaxLayouts = 100;

// The text blocks in the order they become elements: name, address, company, free text.
std::vector<std::string> templateTextBlocks(const TemplateChoices& choices);

// 9 x 8 x ... with one factor per element: the ways to put E distinct elements into 9 cells.
std::int64_t possibleLayouts(int elementCount);
int layoutCount(int elementCount);

// "This is a random selection of N cards of M possible cards."
QString resultLine(int layouts, std::int64_t possible);

// Uniform draws 0..2 for the cells, from a seed (the clock at start, a fixed one in tests).
class LayoutRandom {
public:
    explicit LayoutRandom(std::uint32_t seed) : m_engine(seed) {}
    int cellIndex() { return m_distribution(m_engine); }

private:
    std::mt19937 m_engine;
    std::uniform_int_distribution<int> m_distribution{0, 2};
};

// min(M, 100) pairwise different layouts of elements 1..E, each element in one cell.
std::vector<TemplateLayout> generateLayouts(int elementCount, LayoutRandom& random);

// Opens a picture file (a bare name in the program folder); false when it cannot be read.
using TemplatePictureLoader = std::function<bool(imaging::DibRecord&, const QString& path)>;

struct TemplateSet {
    std::vector<TemplateElement> elements;
    std::vector<TemplateLayout> layouts;
    std::int64_t possible = 0;
    bool backgroundPresent = false;
    imaging::DibRecord background;
    // As typed, not expanded to a path.
    QString backgroundFile;
};

// A whole generation. `logoFileName` is the current address's logo. False when no element
// is left (nothing ticked, or only a picture that cannot be opened): then `set` is emptied.
bool RenderTemplates(TemplateSet& set, const TemplateChoices& choices, const QString& logoFileName,
                     const QString& programFolder, const TemplatePictureLoader& load, LayoutRandom& random);

}  // namespace vellamo::templates
