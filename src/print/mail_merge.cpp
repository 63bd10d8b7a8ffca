#include "print/mail_merge.h"

#include "document/ansi_text.h"

#include <QSet>
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

std::vector<render::PlaceholderFields> mergeAddressesAsShown(const addressbook::AddressBook& book)
{
    std::vector<render::PlaceholderFields> addresses;
    addresses.reserve(std::size_t(book.count()));
    for (int i = 0; i < book.count(); ++i)
        addresses.push_back(i == book.currentIndex() ? book.placeholderFields() : book.placeholderFields(i));
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

namespace {

// The strings of a record in table order: "First Name" is the second, "Last Name" the third.
constexpr std::size_t FirstNameString = 1;
constexpr std::size_t LastNameString = 2;
// Long enough for any real name, short of the file systems' 255 bytes with the suffixes.
constexpr qsizetype MaxBaseNameLength = 120;

QString safeBaseName(const QString& text)
{
    QString name;
    name.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c == u'\x7F' || QStringView(u"/\\:*?\"<>|").contains(c))
            name += u'_';
        else if (c.isSpace())
            name += u' ';
        else
            name += c;
    }
    name = name.simplified();
    // A leading dot hides the file, a trailing one is lost on some systems.
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    while (name.endsWith(u'.'))
        name.chop(1);
    return name.left(MaxBaseNameLength).trimmed();
}

}  // namespace

QStringList mergeFileNames(const addressbook::AddressBook& book, const QString& extension)
{
    QStringList names;
    QSet<QString> taken;
    for (int i = 0; i < book.count(); ++i) {
        const addressbook::AddressRecord record = book.records()[std::size_t(i)];
        const auto& strings = record.strings;
        const QString last = document::fromAnsi(strings[LastNameString]);
        const QString first = document::fromAnsi(strings[FirstNameString]);
        QString base = safeBaseName(last + u' ' + first);
        if (base.isEmpty())
            base = QStringLiteral("Address %1").arg(i + 1);
        QString name = base + extension;
        for (int n = 2; taken.contains(name.toLower()); ++n)
            name = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(extension);
        taken.insert(name.toLower());
        names.append(name);
    }
    return names;
}

}  // namespace vellamo::print
