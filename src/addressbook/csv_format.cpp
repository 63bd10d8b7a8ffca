#include "addressbook/csv_format.h"

#include "document/ansi_text.h"

#include <QHash>
#include <QStringDecoder>

namespace vellamo::addressbook {

namespace {

const QString LogoHeading = QStringLiteral("Logo");

QString decodeFile(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    return document::fromAnsi(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

QChar guessDelimiter(const QString& text)
{
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u',')
            ++comma;
        else if (!quoted && c == u';')
            ++semicolon;
        else if (!quoted && c == u'\t')
            ++tab;
    }
    if (semicolon > comma && semicolon >= tab)
        return u';';
    if (tab > comma && tab > semicolon)
        return u'\t';
    return u',';
}

// Lower case, umlauts spelt out, letters and digits only: "Straße geschäftlich" and
// "strasse_geschaeftlich" are the same heading.
QString normalised(const QString& heading)
{
    QString out;
    for (const QChar c : heading.toLower()) {
        if (c == u'ä')
            out += QStringLiteral("ae");
        else if (c == u'ö')
            out += QStringLiteral("oe");
        else if (c == u'ü')
            out += QStringLiteral("ue");
        else if (c == u'ß')
            out += QStringLiteral("ss");
        else if (c.isLetterOrNumber())
            out += c;
    }
    return out;
}

const QHash<QString, int>& headingTable()
{
    static const QHash<QString, int> table = [] {
        QHash<QString, int> t;
        for (int i = 0; i < AddressFieldCount; ++i)
            t.insert(normalised(QString::fromLatin1(AddressFieldNames[std::size_t(i)].data(),
                                                    qsizetype(AddressFieldNames[std::size_t(i)].size()))),
                     i);
        t.insert(normalised(LogoHeading), LogoStringIndex);
        const std::vector<std::pair<int, QStringList>> synonyms = {
            {0, {"anrede", "titel", "salutation", "prefix", "nameprefix", "akademischertitel"}},
            {1, {"firstname", "givenname", "first", "forename", "vorname", "rufname"}},
            {2, {"lastname", "surname", "familyname", "last", "name", "nachname", "familienname", "zuname"}},
            {3,
             {"street", "homestreet", "streetaddress", "address", "homeaddress", "strasse", "strasseprivat",
              "adresse", "anschrift", "strasseundhausnummer"}},
            {4, {"pobox", "homepobox", "postfach", "postfachprivat"}},
            {5,
             {"zip", "zipcode", "postalcode", "postcode", "homepostalcode", "homezip", "plz", "postleitzahl",
              "postleitzahlprivat", "plzprivat"}},
            {6, {"city", "homecity", "town", "ort", "stadt", "wohnort", "ortprivat"}},
            {7,
             {"phone", "homephone", "telephone", "tel", "privatephone", "telefon", "telefonprivat",
              "privattelefon", "telefonnummer"}},
            {8, {"homephone2", "phone2", "telefonprivat2"}},
            {9,
             {"mobile", "mobilephone", "cellphone", "cell", "mobiltelefon", "handy", "mobil", "mobilnummer",
              "handynummer"}},
            {10, {"fax", "homefax", "faxprivat", "telefax"}},
            {11, {"email", "emailaddress", "mail", "homeemail", "email1", "emailadresse", "emailprivat"}},
            {12,
             {"homepage", "webpage", "personalwebpage", "website", "url", "web", "internet", "webseite",
              "internetseite"}},
            {13, {"partnertitle", "spousetitle", "anredepartner", "titelpartner"}},
            {14,
             {"partnerfirstname", "spouse", "spousefirstname", "partner", "vornamepartner", "ehepartner"}},
            {15, {"partnerlastname", "spouselastname", "nachnamepartner"}},
            {16, {"jobtitle", "job", "role", "occupation", "beruf", "position", "funktion", "taetigkeit"}},
            {17, {"company", "organization", "organisation", "org", "firma", "unternehmen", "firmenname"}},
            {18,
             {"businessstreet", "workstreet", "companystreet", "strassegeschaeftlich", "geschaeftsstrasse",
              "firmenstrasse", "firmenanschrift"}},
            {19, {"businesspobox", "workpobox", "postfachgeschaeftlich", "firmenpostfach"}},
            {20,
             {"businesspostalcode", "businesszip", "workzip", "workpostalcode", "postleitzahlgeschaeftlich",
              "plzgeschaeftlich", "firmenplz"}},
            {21, {"businesscity", "workcity", "ortgeschaeftlich", "firmenort", "firmensitz"}},
            {22,
             {"businessphone", "workphone", "officephone", "companyphone", "telefongeschaeftlich",
              "geschaeftstelefon", "telefonfirma", "firmentelefon", "telefondienstlich"}},
            {23, {"businessphone2", "workphone2", "telefongeschaeftlich2"}},
            {24,
             {"businessmobile", "workmobile", "mobilgeschaeftlich", "handygeschaeftlich",
              "mobiltelefongeschaeftlich"}},
            {25, {"businessfax", "workfax", "faxgeschaeftlich", "firmenfax"}},
            {26,
             {"businessemail", "workemail", "email2address", "email2", "email2adresse", "emailgeschaeftlich",
              "firmenemail"}},
            {27,
             {"businesswebpage", "businesshomepage", "companywebsite", "workwebpage", "webseitegeschaeftlich",
              "firmenwebseite", "firmenhomepage"}},
            {28, {"slogan", "companyslogan", "motto", "werbespruch", "firmenslogan"}},
            {29, {"logofile", "logodatei"}},
        };
        for (const auto& [field, names] : synonyms)
            for (const QString& n : names)
                if (!t.contains(n))
                    t.insert(n, field);
        return t;
    }();
    return table;
}

QString quoted(const QString& cell)
{
    const bool needs = cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n') ||
                       cell.contains(u'\r') || cell.startsWith(u' ') || cell.endsWith(u' ');
    if (!needs)
        return cell;
    return u'"' + QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

}  // namespace

CsvTable readCsvTable(const QByteArray& bytes)
{
    CsvTable table;
    const QString text = decodeFile(bytes);
    table.delimiter = guessDelimiter(text);
    std::vector<QStringList> rows;
    std::vector<int> lines;
    QStringList row;
    QString cell;
    bool quoted = false;
    bool cellStarted = false;
    int line = 1;
    int rowLine = 1;
    int quoteLine = 0;
    auto endRow = [&] {
        row.append(cell);
        cell.clear();
        cellStarted = false;
        const bool blank = row.size() == 1 && row.front().trimmed().isEmpty();
        if (!blank) {
            rows.push_back(row);
            lines.push_back(rowLine);
        }
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    cell.append(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                cell.append(c);
            }
            continue;
        }
        if (c == u'"' && !cellStarted) {
            quoted = true;
            cellStarted = true;
            quoteLine = line;
        } else if (c == table.delimiter) {
            row.append(cell);
            cell.clear();
            cellStarted = false;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endRow();
            ++line;
            rowLine = line;
        } else {
            cell.append(c);
            cellStarted = true;
        }
    }
    if (quoted) {
        table.damagedLine = quoteLine;
        table.damage = QStringLiteral("a quoted cell that begins there is never closed");
    } else if (cellStarted || !row.isEmpty()) {
        endRow();
    }
    if (rows.empty()) {
        if (!table.damagedLine) {
            table.damagedLine = 1;
            table.damage = QStringLiteral("the file has no header row");
        }
        return table;
    }
    table.header = rows.front();
    for (QString& h : table.header)
        h = h.trimmed();
    rows.erase(rows.begin());
    lines.erase(lines.begin());
    table.rows = std::move(rows);
    table.rowLines = std::move(lines);
    return table;
}

CsvMapping guessCsvMapping(const QStringList& header)
{
    CsvMapping mapping(std::size_t(header.size()), -1);
    std::vector<bool> taken(AddressStringCount, false);
    const auto& table = headingTable();
    for (qsizetype c = 0; c < header.size(); ++c) {
        const auto it = table.constFind(normalised(header[c]));
        if (it == table.constEnd() || taken[std::size_t(*it)])
            continue;
        mapping[std::size_t(c)] = *it;
        taken[std::size_t(*it)] = true;
    }
    return mapping;
}

ImportedAddresses csvRecords(const CsvTable& table, const CsvMapping& mapping)
{
    ImportedAddresses result;
    auto heading = [&](qsizetype c) {
        const QString h = c < table.header.size() ? table.header[c] : QString();
        return h.isEmpty() ? QStringLiteral("column %1").arg(c + 1) : h;
    };
    for (const QStringList& row : table.rows) {
        AddressRecord record;
        bool any = false;
        for (qsizetype c = 0; c < row.size(); ++c) {
            const QString value = row[c].trimmed();
            if (value.isEmpty())
                continue;
            const int target = std::size_t(c) < mapping.size() ? mapping[std::size_t(c)] : -1;
            if (target < 0 || target >= AddressStringCount || !record.strings[std::size_t(target)].empty()) {
                result.addUnplaced(heading(c));
                continue;
            }
            QString oneLine = value;
            oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(", "))
                .replace(u'\n', QStringLiteral(", "));
            record.strings[std::size_t(target)] = result.toAnsi(oneLine);
            any = true;
        }
        // A row that fills no field would be a blank address in the book.
        if (any)
            result.records.push_back(record);
    }
    result.damagedLine = table.damagedLine;
    result.damage = table.damage;
    return result;
}

QByteArray writeCsv(const std::vector<AddressRecord>& records)
{
    QStringList header;
    for (const auto& name : AddressFieldNames)
        header.append(QString::fromLatin1(name.data(), qsizetype(name.size())));
    header.append(LogoHeading);
    QByteArray out("\xEF\xBB\xBF");
    out.append(header.join(u',').toUtf8()).append("\r\n");
    for (const AddressRecord& r : records) {
        QStringList cells;
        for (const std::string& s : r.strings)
            cells.append(quoted(document::fromAnsi(s)));
        out.append(cells.join(u',').toUtf8()).append("\r\n");
    }
    return out;
}

QString csvTargetName(int target)
{
    if (target >= 0 && target < AddressFieldCount) {
        const auto name = AddressFieldNames[std::size_t(target)];
        return QString::fromLatin1(name.data(), qsizetype(name.size()));
    }
    if (target == LogoStringIndex)
        return LogoHeading;
    return QStringLiteral("(not imported)");
}

}  // namespace vellamo::addressbook
