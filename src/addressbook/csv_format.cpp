#include "addressbook/csv_format.h"

#include "document/ansi_text.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>

namespace vellamo::addressbook {

namespace {

const QString LogoHeading = QStringLiteral("Logo");

bool isValidUtf8(const QByteArray& bytes, qsizetype from)
{
    // In pieces, so that a large file is not held twice.
    constexpr qsizetype Piece = 1 << 16;
    QStringDecoder decoder(QStringDecoder::Utf8);
    for (qsizetype at = from; at < bytes.size(); at += Piece) {
        const QString part =
            decoder.decode(QByteArrayView(bytes).sliced(at, std::min(Piece, bytes.size() - at)));
        if (decoder.hasError())
            return false;
    }
    return true;
}

// The one of ',', ';' and tab that the first line uses most outside quotes.
char guessDelimiter(const QByteArray& bytes, qsizetype from)
{
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (qsizetype i = from; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == ',')
            ++comma;
        else if (!quoted && c == ';')
            ++semicolon;
        else if (!quoted && c == '\t')
            ++tab;
    }
    if (semicolon > comma && semicolon >= tab)
        return ';';
    if (tab > comma && tab > semicolon)
        return '\t';
    return ',';
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

CsvReader::CsvReader(const QByteArray& bytes) : m_bytes(bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        m_at = 3;
        m_utf8 = true;
    } else {
        m_utf8 = isValidUtf8(bytes, 0);
    }
    m_delimiter = guessDelimiter(bytes, m_at);
}

QString CsvReader::decoded(const QByteArray& cell) const
{
    return m_utf8 ? QString::fromUtf8(cell)
                  : document::fromAnsi(std::string_view(cell.constData(), std::size_t(cell.size())));
}

bool CsvReader::next(QStringList& row, int& line)
{
    // The delimiters, quotes and line breaks are ASCII, so the cells are cut before decoding:
    // neither UTF-8 nor Windows-1252 uses those bytes inside a character.
    const QByteArray& text = m_bytes;
    const qsizetype size = text.size();
    for (;;) {
        if (m_at >= size || m_damagedLine)
            return false;
        row.clear();
        QByteArray cell;
        bool quoted = false;
        bool cellStarted = false;
        const int rowLine = m_line;
        int quoteLine = 0;
        bool ended = false;
        const auto endCell = [&] {
            if (row.size() >= MaxCsvColumns) {
                m_damagedLine = rowLine;
                m_damage = QStringLiteral("the row has more than %1 cells").arg(MaxCsvColumns);
                return false;
            }
            row.append(decoded(cell));
            cell.resize(0);  // keeps its room for the next cell
            cellStarted = false;
            return true;
        };
        while (m_at < size && !ended) {
            const char c = text[m_at++];
            if (quoted) {
                if (c == '"') {
                    if (m_at < size && text[m_at] == '"') {
                        cell.append('"');
                        ++m_at;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == '\n')
                        ++m_line;
                    cell.append(c);
                }
                continue;
            }
            if (c == '"' && !cellStarted) {
                quoted = true;
                cellStarted = true;
                quoteLine = m_line;
            } else if (c == m_delimiter) {
                if (!endCell())
                    return false;
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && m_at < size && text[m_at] == '\n')
                    ++m_at;
                ++m_line;
                ended = true;
            } else {
                cell.append(c);
                cellStarted = true;
            }
        }
        if (quoted) {
            m_damagedLine = quoteLine;
            m_damage = QStringLiteral("a quoted cell that begins there is never closed");
            return false;
        }
        if (!ended && !cellStarted && row.isEmpty())
            return false;
        if (!endCell())
            return false;
        const bool blank = row.size() == 1 && row.front().trimmed().isEmpty();
        if (!blank) {
            line = rowLine;
            return true;
        }
    }
}

CsvTable readCsvTable(const QByteArray& bytes, std::size_t rowLimit)
{
    CsvTable table;
    CsvReader reader(bytes);
    table.delimiter = QChar::fromLatin1(reader.delimiter());
    QStringList row;
    int line = 0;
    if (reader.next(row, line)) {
        table.header = row;
        for (QString& h : table.header)
            h = h.trimmed();
        while (table.rows.size() < rowLimit && reader.next(row, line)) {
            table.rows.push_back(row);
            table.rowLines.push_back(line);
        }
    }
    table.damagedLine = reader.damagedLine();
    table.damage = reader.damage();
    if (table.header.isEmpty() && !table.damagedLine) {
        table.damagedLine = 1;
        table.damage = QStringLiteral("the file has no header row");
    }
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

namespace {

// Turns rows into records one at a time. What has no place is counted by column and named
// once at the end, so a wide row costs no more than its cells.
class CsvRecordMaker {
public:
    CsvRecordMaker(const QStringList& header, const CsvMapping& mapping, ImportedAddresses& result)
        : m_header(header), m_mapping(mapping), m_result(result)
    {
    }

    void add(const QStringList& row)
    {
        AddressRecord record;
        bool any = false;
        for (qsizetype c = 0; c < row.size(); ++c) {
            const QString value = row[c].trimmed();
            if (value.isEmpty())
                continue;
            const int target = std::size_t(c) < m_mapping.size() ? m_mapping[std::size_t(c)] : -1;
            if (target < 0 || target >= AddressStringCount || !record.strings[std::size_t(target)].empty()) {
                countUnplaced(std::size_t(c));
                continue;
            }
            QString oneLine = value;
            oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(", "))
                .replace(u'\n', QStringLiteral(", "));
            record.strings[std::size_t(target)] = m_result.toAnsi(oneLine);
            any = true;
        }
        // A row that fills no field would be a blank address in the book.
        if (any)
            m_result.records.push_back(record);
    }

    // Names the unplaced columns by their headings, in the order first met.
    void finish()
    {
        for (const std::size_t c : m_firstMet) {
            const QString h = qsizetype(c) < m_header.size() ? m_header[qsizetype(c)] : QString();
            m_result.addUnplaced(h.isEmpty() ? QStringLiteral("column %1").arg(c + 1) : h, m_counts[c]);
        }
    }

private:
    void countUnplaced(std::size_t column)
    {
        if (column >= m_counts.size())
            m_counts.resize(column + 1, 0);
        if (m_counts[column]++ == 0)
            m_firstMet.push_back(column);
    }

    const QStringList& m_header;
    const CsvMapping& m_mapping;
    ImportedAddresses& m_result;
    std::vector<int> m_counts;
    std::vector<std::size_t> m_firstMet;
};

}  // namespace

ImportedAddresses csvRecords(const CsvTable& table, const CsvMapping& mapping)
{
    ImportedAddresses result;
    CsvRecordMaker maker(table.header, mapping, result);
    for (const QStringList& row : table.rows)
        maker.add(row);
    maker.finish();
    result.damagedLine = table.damagedLine;
    result.damage = table.damage;
    return result;
}

ImportedAddresses readCsvAddresses(const QByteArray& bytes, const CsvMapping& mapping)
{
    ImportedAddresses result;
    CsvReader reader(bytes);
    QStringList header;
    QStringList row;
    int line = 0;
    const bool hasHeader = reader.next(header, line);
    if (hasHeader) {
        for (QString& h : header)
            h = h.trimmed();
        CsvRecordMaker maker(header, mapping, result);
        while (reader.next(row, line))
            maker.add(row);
        maker.finish();
    }
    result.damagedLine = reader.damagedLine();
    result.damage = reader.damage();
    // As readCsvTable says of it: a file without a header row is damaged.
    if (!hasHeader && !result.damagedLine) {
        result.damagedLine = 1;
        result.damage = QStringLiteral("the file has no header row");
    }
    return result;
}

QByteArray writeCsv(const AddressList& records)
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
