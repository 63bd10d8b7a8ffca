#include "print/mail_merge.h"

#include <algorithm>

namespace vellamo::print {

std::vector<render::PlaceholderFields> mergeAddresses(addressbook::AddressBook& book)
{
    if (book.hasCurrentAddress())
        book.SaveToDB(book.currentIndex());
    std::vector<render::PlaceholderFields> addresses;
    addresses.reserve(std::size_t(book.count()));
    for (int i = 0; i < book.count(); ++i)
        addresses.push_back(book.placeholderFields(i));
    return addresses;
}

SheetValues mergeValues(SheetValues values, int addressCount, int perSheet)
{
    values = clampedValues(values, perSheet);
    values.copies = std::max(addressCount, 0);
    // The page shown may lie beyond a shorter merge.
    values.page = std::clamp(values.page, 1, std::max(pageCount(values, perSheet), 1));
    return values;
}

render::RenderContext mergeContext(const render::RenderContext& base,
                                   const std::vector<render::PlaceholderFields>& addresses, int used,
                                   const SheetPosition& position)
{
    render::RenderContext context = base;
    const int k = position.index - used;
    context.placeholders = k >= 0 && k < int(addresses.size()) ? &addresses[std::size_t(k)] : nullptr;
    return context;
}

PrintJobResult printMerge(QPrinter& printer, document::CardDocument& doc, PrintJobSettings settings,
                          const render::RenderContext& base,
                          const std::vector<render::PlaceholderFields>& addresses, document::Prompter& ask)
{
    if (addresses.empty()) {
        PrintJobResult result;
        result.error = NoAddressToMerge;
        return result;
    }
    settings.values = mergeValues(settings.values, int(addresses.size()), cardsPerSheet(doc.Format));
    const int used = settings.values.used;
    return printCards(
        printer, doc, settings,
        [&](const SheetPosition& position) { return mergeContext(base, addresses, used, position); }, ask);
}

}  // namespace vellamo::print
