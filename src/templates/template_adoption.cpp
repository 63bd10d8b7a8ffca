#include "templates/template_adoption.h"

#include "document/ansi_text.h"
#include "document/units.h"

namespace vellamo::templates {

namespace {

constexpr int AdoptionStartSize = 100;

void couldNotOpen(document::Prompter& ask, const QString& path)
{
    ask.inform(QString(), QStringLiteral("Could not open picture (") + path + QStringLiteral(")."),
               document::MessageIcon::Error);
}

}  // namespace

QString templateTextToDraw(const std::string& text, const render::PlaceholderFields* placeholders)
{
    QString s = document::fromAnsi(placeholders ? render::GetRepStr(text, *placeholders) : text);
    s.replace(u'\r', u'\n');
    return s;
}

TemplateCard RenderTemplate(const TemplateCardInput& input, const TextMeasure& measure,
                            const document::PictureLoader& pictures, document::Prompter& ask)
{
    TemplateCard card;
    const int dpi = input.screenDpi > 0 ? input.screenDpi : 96;
    card.ZoomNum = 1.0;
    card.ZoomDen = document::startZoomDen(dpi);
    const TemplateSet* set = input.set;
    if (!set || input.selected < 0 || input.selected >= int(set->layouts.size()))
        return card;

    const int W = document::unitsToScreen(input.cardExtentX, card.ZoomNum, card.ZoomDen);
    const int H = document::unitsToScreen(input.cardExtentY, card.ZoomNum, card.ZoomDen);
    const TemplateLayout& layout = set->layouts[std::size_t(input.selected)];
    const LayoutCells cells = layoutCells({W / 3, H / 3, 2 * W / 3, 2 * H / 3}, W / 3, input.cardWidthMm,
                                          input.cardHeightMm, layout);
    // Pixels at normal zoom to object units, as the box setters store them.
    const auto units = [&](int p) {
        const std::int32_t q = document::truncToInt32(p * (20000.0 / dpi) * card.ZoomNum / card.ZoomDen);
        return document::screenToUnits(q, card.ZoomNum, card.ZoomDen);
    };
    const auto setBox = [&](document::Tobs& o, int l, int t, int r, int b) {
        o.Left = units(l);
        o.Top = units(t);
        o.Width = units(r - l + 1);
        o.Height = units(b - t + 1);
    };

    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            const int e = layout.cells[std::size_t(c)][std::size_t(r)];
            if (e < 1 || e > int(set->elements.size()))
                continue;
            const TemplateElement& element = set->elements[std::size_t(e - 1)];
            const Edges& cell = cells[std::size_t(c)][std::size_t(r)];
            // A blank record: nothing a deleted object left in the slot comes back.
            document::Tobs o;
            if (!element.isPicture) {
                const int n = fitFontHeight(measure, templateTextToDraw(element.text, input.placeholders),
                                            cell, c, AdoptionStartSize);
                o.Kind = document::TextObject;
                o.Text = element.text;
                o.TextAlign = c;
                o.FontName = "Arial";
                o.FontSize = n;
                o.FontHeight = n;
                o.FontColor = 0;
                o.Color = 0;
                o.FontPitch = 0;
                o.FontStyle = 0;
                setBox(o, cell.left, cell.top, cell.right, cell.bottom);
            } else {
                const PicturePlace place =
                    fitPicture(element.picture.width(), element.picture.height(), cell, c, r);
                o.Kind = document::PictureObject;
                o.PictureFile() = element.text;
                o.KeepAspect = true;
                o.Transparent = false;
                setBox(o, place.x, place.y, cell.right, cell.bottom);
                const QString path = document::fromAnsi(element.text);
                if (!pictures.load(o.Picture, path)) {
                    couldNotOpen(ask, path);
                    continue;
                }
            }
            card.objects.push_back(std::move(o));
        }
    }

    if (set->backgroundPresent) {
        card.BackgroundMode = document::CenterZoomedIn;
        card.BackgroundFile = document::toAnsi(set->backgroundFile);
        if (!pictures.load(card.BackgroundPicture, set->backgroundFile)) {
            couldNotOpen(ask, set->backgroundFile);
            card.BackgroundFile.clear();
            card.BackgroundMode = document::NoBackground;
        }
    }
    return card;
}

}  // namespace vellamo::templates
