#include "templates/template_generation.h"

#include "document/ansi_text.h"
#include "document/paths.h"

#include <algorithm>

namespace vellamo::templates {

std::vector<std::string> templateTextBlocks(const TemplateChoices& c)
{
    std::vector<std::string> blocks;
    if (c.TitelCheck || c.BerufCheck) {
        if (c.TitelCheck && c.BerufCheck)
            blocks.push_back("[Title] [First Name] [Last Name]\r[Profession]");
        else if (c.TitelCheck)
            blocks.push_back("[Title] [First Name] [Last Name]");
        else
            blocks.push_back("[Profession]");
    }
    if (c.AnschriftCheck || c.TelCheck || c.emailCheck) {
        const bool p = c.PrivatRadio;
        std::string text;
        if (c.AnschriftCheck)
            text = p ? "[Street]\r[Zip] [City]" : "[Street company]\r[Zip company] [City company]";
        if (c.TelCheck) {
            if (!text.empty())
                text += "\r";
            text += p ? "<Phone private 1> [Phone private 1]" : "<Phone company 1> [Phone company 1]";
            text += "\r";
            text += p ? "<FAX private> [FAX private]" : "<FAX company> [FAX company]";
        }
        if (c.emailCheck) {
            if (!text.empty())
                text += "\r";
            text += p ? "<Email private> [Email private]" : "<Email company> [Email company]";
            text += "\r";
            text += p ? "<Homepage private> [Homepage private]" : "<Homepage company> [Homepage company]";
        }
        blocks.push_back(text);
    }
    if (c.FirmaCheck || c.SloganCheck) {
        if (c.FirmaCheck && c.SloganCheck)
            blocks.push_back("[Company]\r[Company slogan]");
        else if (c.FirmaCheck)
            blocks.push_back("[Company]");
        else
            blocks.push_back("[Company slogan]");
    }
    if (c.FreeCheck || c.Free2Check)
        blocks.push_back(c.FreeCheck && c.Free2Check ? "Free text line 1\rFree text line 2"
                                                     : "Free text line 1");
    return blocks;
}

std::int64_t possibleLayouts(int elementCount)
{
    std::int64_t m = 1;
    for (int i = 0; i < std::clamp(elementCount, 0, 9); ++i)
        m *= 9 - i;
    return elementCount <= 0 ? 0 : m;
}

int layoutCount(int elementCount)
{
    return int(std::min<std::int64_t>(possibleLayouts(elementCount), MaxLayouts));
}

QString resultLine(int layouts, std::int64_t possible)
{
    return QStringLiteral("This is a random selection of ") + QString::number(layouts) +
           QStringLiteral(" cards of ") + QString::number(possible) + QStringLiteral(" possible cards.");
}

std::vector<TemplateLayout> generateLayouts(int elementCount, LayoutRandom& random)
{
    const int n = layoutCount(elementCount);
    std::vector<TemplateLayout> layouts;
    layouts.reserve(std::size_t(n));
    while (int(layouts.size()) < n) {
        TemplateLayout candidate;
        for (int e = 1; e <= elementCount; ++e) {
            while (true) {
                const int c = random.cellIndex();
                const int r = random.cellIndex();
                if (candidate.cells[std::size_t(c)][std::size_t(r)] == 0) {
                    candidate.cells[std::size_t(c)][std::size_t(r)] = e;
                    break;
                }
            }
        }
        if (std::find(layouts.begin(), layouts.end(), candidate) == layouts.end())
            layouts.push_back(candidate);
    }
    return layouts;
}

namespace {

QString inProgramFolder(const QString& name, const QString& programFolder)
{
    return document::hasFolderPart(name) ? name : programFolder + name;
}

}  // namespace

bool RenderTemplates(TemplateSet& set, const TemplateChoices& choices, const QString& logoFileName,
                     const QString& programFolder, const TemplatePictureLoader& load, LayoutRandom& random)
{
    set.elements.clear();
    for (std::string& text : templateTextBlocks(choices))
        set.elements.push_back({false, std::move(text), {}});
    if (choices.graphic != GraphicChoice::OnlyText) {
        const QString name =
            choices.graphic == GraphicChoice::IncludeLogo ? logoFileName : choices.GrafikFileEd;
        TemplateElement picture;
        picture.isPicture = true;
        const QString path = inProgramFolder(name, programFolder);
        picture.text = document::toAnsi(path);
        if (!name.isEmpty() && load && load(picture.picture, path) && picture.picture.isLoaded())
            set.elements.push_back(std::move(picture));
    }
    if (set.elements.empty()) {
        // The earlier layouts named elements that are gone: nothing is left to show or adopt.
        set.layouts.clear();
        set.possible = 0;
        return false;
    }
    const int count = int(set.elements.size());
    set.possible = possibleLayouts(count);
    set.layouts = generateLayouts(count, random);

    imaging::deldib(set.background);
    set.backgroundPresent = false;
    if (choices.BkGndCheck) {
        set.backgroundPresent = load && !choices.BkGndFileED.isEmpty() &&
                                load(set.background, inProgramFolder(choices.BkGndFileED, programFolder)) &&
                                set.background.isLoaded();
        set.backgroundFile = choices.BkGndFileED;
    }
    return true;
}

}  // namespace vellamo::templates
