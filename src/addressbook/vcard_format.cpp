#include "addressbook/vcard_format.h"

#include "document/ansi_text.h"

#include <QSet>
#include <QStringDecoder>
#include <array>

namespace vellamo::addressbook {

namespace {

// Address string indexes, in the order of the field table.
enum Field {
    Title = 0,
    FirstName = 1,
    LastName = 2,
    Street = 3,
    PoBox = 4,
    Zip = 5,
    City = 6,
    PhonePrivate1 = 7,
    PhonePrivate2 = 8,
    MobilePrivate = 9,
    FaxPrivate = 10,
    EmailPrivate = 11,
    HomepagePrivate = 12,
    TitlePartner = 13,
    FirstNamePartner = 14,
    LastNamePartner = 15,
    Profession = 16,
    Company = 17,
    StreetCompany = 18,
    PoBoxCompany = 19,
    ZipCompany = 20,
    CityCompany = 21,
    PhoneCompany1 = 22,
    PhoneCompany2 = 23,
    MobileCompany = 24,
    FaxCompany = 25,
    EmailCompany = 26,
    HomepageCompany = 27,
    Slogan = 28,
    Logo = 29,
};

struct OwnProperty {
    const char* name;
    int field;
};
constexpr std::array<OwnProperty, 5> OwnProperties = {{
    {"X-VELLAMO-TITLE-PARTNER", TitlePartner},
    {"X-VELLAMO-FIRST-NAME-PARTNER", FirstNamePartner},
    {"X-VELLAMO-LAST-NAME-PARTNER", LastNamePartner},
    {"X-VELLAMO-COMPANY-SLOGAN", Slogan},
    {"X-VELLAMO-LOGO", Logo},
}};

// Properties that carry nothing for the book, or only what other properties already carry.
const QSet<QString> Ignored = {"BEGIN", "END",   "VERSION", "PRODID", "REV",  "UID", "PHOTO",
                               "LOGO",  "SOUND", "LABEL",   "KIND",   "NAME", "FN"};

struct Property {
    QString name;
    QSet<QString> types;
    QStringList parts;  // the value cut at unescaped ';'
    int line = 0;
};

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeText(const QByteArray& bytes, const QString& charset)
{
    const QString c = charset.toLower();
    if (c == u"utf-8" || c == u"utf8")
        return QString::fromUtf8(bytes);
    if (c == u"iso-8859-1" || c == u"latin1" || c == u"us-ascii" || c == u"ascii")
        return QString::fromLatin1(bytes);
    if (c == u"windows-1252" || c == u"cp1252")
        return document::fromAnsi(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!c.isEmpty()) {
        QStringDecoder decoder(c.toLatin1().constData());
        if (decoder.isValid()) {
            const QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return document::fromAnsi(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray decodeQuotedPrintable(const QByteArray& in)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != '=') {
            out.append(in[i]);
            continue;
        }
        if (i + 2 < in.size() + 0 && hexValue(in[i + 1]) >= 0 && hexValue(in[i + 2]) >= 0) {
            out.append(char(hexValue(in[i + 1]) * 16 + hexValue(in[i + 2])));
            i += 2;
        } else if (i + 1 >= in.size()) {
            // a soft break at the very end
        } else {
            out.append('=');
        }
    }
    return out;
}

// Splits at `separator` outside double quotes.
QList<QByteArray> splitOutsideQuotes(const QByteArray& text, char separator)
{
    QList<QByteArray> parts;
    QByteArray current;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (c == separator && !quoted) {
            parts.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    parts.append(current);
    return parts;
}

qsizetype colonOutsideQuotes(const QByteArray& line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

// Cuts at unescaped ';' and resolves the escapes: vCard 2.1 escapes only ';'.
QStringList splitValue(const QString& value, bool fullEscapes)
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar n = value[i + 1];
            if (n == u';' || (fullEscapes && (n == u',' || n == u'\\'))) {
                current.append(n);
                ++i;
                continue;
            }
            if (fullEscapes && (n == u'n' || n == u'N')) {
                current.append(u'\n');
                ++i;
                continue;
            }
        }
        if (c == u';') {
            parts.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    parts.append(current);
    return parts;
}

// A field value is one line: line breaks inside become ", ".
QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    QStringList kept;
    for (const QString& l : lines)
        if (!l.trimmed().isEmpty())
            kept.append(l.trimmed());
    return kept.join(QStringLiteral(", "));
}

bool parseProperty(const QByteArray& line, bool version21, Property& out)
{
    const qsizetype colon = colonOutsideQuotes(line);
    if (colon < 0)
        return false;
    const QList<QByteArray> head = splitOutsideQuotes(line.left(colon), ';');
    QByteArray name = head.front().trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
        name = name.mid(dot + 1);  // a group prefix
    if (name.isEmpty())
        return false;
    out.name = QString::fromLatin1(name);
    QString charset;
    bool quotedPrintable = false;
    bool base64 = false;
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QByteArray param = head[i].trimmed();
        const qsizetype eq = param.indexOf('=');
        const QString key = eq < 0 ? QString() : QString::fromLatin1(param.left(eq)).trimmed().toUpper();
        QString value = QString::fromLatin1(eq < 0 ? param : param.mid(eq + 1)).trimmed();
        value.remove(u'"');
        const QString upper = value.toUpper();
        if (key == u"ENCODING" || (key.isEmpty() && (upper == u"QUOTED-PRINTABLE" || upper == u"BASE64"))) {
            quotedPrintable = quotedPrintable || upper == u"QUOTED-PRINTABLE";
            base64 = base64 || upper == u"BASE64" || upper == u"B";
        } else if (key == u"CHARSET") {
            charset = value;
        } else if (key == u"TYPE" || key.isEmpty()) {
            for (const QString& t : value.split(u',', Qt::SkipEmptyParts))
                out.types.insert(t.trimmed().toLower());
        } else if (key == u"PREF") {
            out.types.insert(QStringLiteral("pref"));
        }
    }
    QByteArray raw = line.mid(colon + 1);
    if (quotedPrintable)
        raw = decodeQuotedPrintable(raw);
    else if (base64)
        raw = QByteArray::fromBase64(raw);
    out.parts = splitValue(decodeText(raw, charset), !version21);
    for (QString& part : out.parts)
        part = oneLine(part);
    return true;
}

// Fills one record from one card's properties, typed values before untyped ones.
class CardFiller {
public:
    CardFiller(ImportedAddresses& result) : m_result(result) {}

    void add(const Property& p) { m_properties.push_back(p); }

    AddressRecord finish()
    {
        for (int pass = 0; pass < 2; ++pass) {
            for (const Property& p : m_properties) {
                const bool typed = p.types.contains("home") || p.types.contains("work");
                if ((pass == 0) != typed || !isSorted(p.name))
                    continue;
                placeSorted(p);
            }
        }
        for (const Property& p : m_properties) {
            if (!isSorted(p.name))
                placeOther(p);
        }
        if (m_record.strings[FirstName].empty() && m_record.strings[LastName].empty() &&
            !m_fullName.isEmpty() && m_fullName != m_organisation) {
            // Only a formatted name: its last word is taken as the last name.
            const qsizetype space = m_fullName.lastIndexOf(u' ');
            set(LastName, space < 0 ? m_fullName : m_fullName.mid(space + 1).trimmed(), QStringLiteral("FN"));
            if (space > 0)
                set(FirstName, m_fullName.left(space).trimmed(), QStringLiteral("FN"));
        }
        return m_record;
    }

private:
    static bool isSorted(const QString& name)
    {
        return name == u"ADR" || name == u"TEL" || name == u"EMAIL" || name == u"URL";
    }

    void set(int field, const QString& value, const QString& what)
    {
        if (value.isEmpty())
            return;
        std::string& target = m_record.strings[std::size_t(field)];
        if (!target.empty()) {
            m_result.addUnplaced(what);
            return;
        }
        target = m_result.toAnsi(value);
    }

    // The first free field of `fields`; unplaced when all are taken.
    void setFirstFree(std::initializer_list<int> fields, const QString& value, const QString& what)
    {
        if (value.isEmpty())
            return;
        for (int f : fields) {
            if (m_record.strings[std::size_t(f)].empty()) {
                m_record.strings[std::size_t(f)] = m_result.toAnsi(value);
                return;
            }
        }
        m_result.addUnplaced(what);
    }

    QString part(const Property& p, int i) const
    {
        return i < p.parts.size() ? p.parts[i].trimmed() : QString();
    }

    void placeSorted(const Property& p)
    {
        const bool work = p.types.contains("work");
        const bool home = p.types.contains("home");
        QString value = part(p, 0);
        if (p.name == u"TEL") {
            if (value.startsWith(u"tel:", Qt::CaseInsensitive))
                value = value.mid(4);  // vCard 4.0 gives phones as URIs
            const QString what = QStringLiteral("TEL");
            if (p.types.contains("fax"))
                work ? setFirstFree({FaxCompany}, value, what)
                     : setFirstFree(home ? std::initializer_list<int>{FaxPrivate}
                                         : std::initializer_list<int>{FaxPrivate, FaxCompany},
                                    value, what);
            else if (p.types.contains("cell"))
                work ? setFirstFree({MobileCompany}, value, what)
                     : setFirstFree(home ? std::initializer_list<int>{MobilePrivate}
                                         : std::initializer_list<int>{MobilePrivate, MobileCompany},
                                    value, what);
            else if (work)
                setFirstFree({PhoneCompany1, PhoneCompany2}, value, what);
            else if (home)
                setFirstFree({PhonePrivate1, PhonePrivate2}, value, what);
            else
                setFirstFree({PhonePrivate1, PhonePrivate2, PhoneCompany1, PhoneCompany2}, value, what);
        } else if (p.name == u"EMAIL") {
            const QString what = QStringLiteral("EMAIL");
            if (work)
                setFirstFree({EmailCompany}, value, what);
            else if (home)
                setFirstFree({EmailPrivate}, value, what);
            else
                setFirstFree({EmailPrivate, EmailCompany}, value, what);
        } else if (p.name == u"URL") {
            // A URL's own colons are part of the value.
            const QString url = p.parts.join(u';').trimmed();
            const QString what = QStringLiteral("URL");
            if (work)
                setFirstFree({HomepageCompany}, url, what);
            else if (home)
                setFirstFree({HomepagePrivate}, url, what);
            else
                setFirstFree({HomepagePrivate, HomepageCompany}, url, what);
        } else if (p.name == u"ADR") {
            placeAddress(p, work || (!home && m_homeAddressUsed));
        }
    }

    void placeAddress(const Property& p, bool work)
    {
        const QString what = QStringLiteral("ADR");
        const int box = work ? PoBoxCompany : PoBox;
        const int street = work ? StreetCompany : Street;
        const int zip = work ? ZipCompany : Zip;
        const int city = work ? CityCompany : City;
        if (!m_record.strings[std::size_t(street)].empty() || !m_record.strings[std::size_t(city)].empty() ||
            !m_record.strings[std::size_t(zip)].empty() || !m_record.strings[std::size_t(box)].empty()) {
            m_result.addUnplaced(what);
            return;
        }
        if (!work)
            m_homeAddressUsed = true;
        QString streetText = part(p, 2);
        if (const QString extended = part(p, 1); !extended.isEmpty())
            streetText = streetText.isEmpty() ? extended : streetText + QStringLiteral(", ") + extended;
        set(box, part(p, 0), what);
        set(street, streetText, what);
        set(city, part(p, 3), what);
        set(zip, part(p, 5), what);
        if (!part(p, 4).isEmpty())
            m_result.addUnplaced(QStringLiteral("ADR (region)"));
        if (!part(p, 6).isEmpty())
            m_result.addUnplaced(QStringLiteral("ADR (country)"));
    }

    void placeOther(const Property& p)
    {
        if (p.name == u"N") {
            QString first = part(p, 1);
            if (const QString more = part(p, 2); !more.isEmpty())
                first = first.isEmpty() ? more : first + u' ' + more;
            set(LastName, part(p, 0), QStringLiteral("N"));
            set(FirstName, first, QStringLiteral("N"));
            set(Title, part(p, 3), QStringLiteral("N"));
            if (!part(p, 4).isEmpty())
                m_result.addUnplaced(QStringLiteral("N (suffix)"));
            return;
        }
        if (p.name == u"FN") {
            m_fullName = p.parts.join(u';').trimmed();
            return;
        }
        if (p.name == u"ORG") {
            m_organisation = part(p, 0);
            set(Company, part(p, 0), QStringLiteral("ORG"));
            for (qsizetype i = 1; i < p.parts.size(); ++i)
                if (!p.parts[i].trimmed().isEmpty())
                    m_result.addUnplaced(QStringLiteral("ORG (unit)"));
            return;
        }
        if (p.name == u"TITLE" || p.name == u"ROLE") {
            set(Profession, p.parts.join(u';').trimmed(), p.name);
            return;
        }
        for (const OwnProperty& own : OwnProperties) {
            if (p.name == QLatin1StringView(own.name)) {
                set(own.field, p.parts.join(u';').trimmed(), p.name);
                return;
            }
        }
        if (Ignored.contains(p.name) || p.name.startsWith(u"X-ABUID"))
            return;
        if (!p.parts.join(QString()).trimmed().isEmpty())
            m_result.addUnplaced(p.name);
    }

    ImportedAddresses& m_result;
    std::vector<Property> m_properties;
    AddressRecord m_record;
    QString m_fullName;
    QString m_organisation;
    bool m_homeAddressUsed = false;
};

// The file's lines one at a time, without their line breaks, counted from 1.
class PhysicalLines {
public:
    PhysicalLines(const QByteArray& bytes, qsizetype from) : m_bytes(bytes), m_start(from) {}

    bool atEnd() const { return m_start > m_bytes.size(); }
    // How many lines were taken.
    int number() const { return m_number; }
    QByteArray take()
    {
        qsizetype end = m_bytes.indexOf('\n', m_start);
        if (end < 0)
            end = m_bytes.size();
        QByteArray line = m_bytes.mid(m_start, end - m_start);
        if (line.endsWith('\r'))
            line.chop(1);
        m_start = end + 1;
        ++m_number;
        return line;
    }
    // Whether the next line begins with white space, which makes it a continuation.
    bool nextIsFolded() const
    {
        return m_start < m_bytes.size() && (m_bytes[m_start] == ' ' || m_bytes[m_start] == '\t');
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_start;
    int m_number = 0;
};

bool hasQuotedPrintable(const QByteArray& line)
{
    const qsizetype colon = colonOutsideQuotes(line);
    return colon > 0 && line.left(colon).toUpper().contains("QUOTED-PRINTABLE");
}

}  // namespace

ImportedAddresses readVcards(const QByteArray& bytes)
{
    ImportedAddresses result;
    PhysicalLines lines(bytes, bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0);
    std::optional<CardFiller> card;
    int cardLine = 0;
    bool version21 = false;
    auto fail = [&](int line, const QString& why) {
        result.damagedLine = line;
        result.damage = why;
    };
    while (!lines.atEnd()) {
        QByteArray line = lines.take();
        const int number = lines.number();
        if (line.trimmed().isEmpty())
            continue;
        // Unfolding: a following line that starts with white space continues this one; vCard
        // 2.1 keeps that white space, later versions drop one character of it.
        for (;;) {
            if (line.endsWith('=') && hasQuotedPrintable(line) && !lines.atEnd()) {
                line.chop(1);  // a soft line break
                line += lines.take();
            } else if (lines.nextIsFolded()) {
                const QByteArray next = lines.take();
                line += version21 ? next : next.mid(1);
            } else {
                break;
            }
        }
        Property p;
        if (!parseProperty(line, version21, p)) {
            fail(number, QStringLiteral("the line is no vCard property (name and value parted by \":\")"));
            return result;
        }
        const QString value = p.parts.join(u';').trimmed().toUpper();
        if (p.name == u"BEGIN" && value == u"VCARD") {
            if (card) {
                fail(
                    number,
                    QStringLiteral("a vCard begins before the one begun in line %1 has ended").arg(cardLine));
                return result;
            }
            card.emplace(result);
            cardLine = number;
            version21 = false;
            continue;
        }
        if (!card) {
            fail(number, QStringLiteral("the line stands outside a vCard (BEGIN:VCARD ... END:VCARD)"));
            return result;
        }
        if (p.name == u"END" && value == u"VCARD") {
            // A card that gives no field at all is no address.
            if (AddressRecord record = card->finish(); record != AddressRecord())
                result.records.push_back(std::move(record));
            card.reset();
            continue;
        }
        if (p.name == u"VERSION")
            version21 = value == u"2.1";
        card->add(p);
    }
    if (card) {
        fail(std::max(lines.number(), 1),
             QStringLiteral("the file ends inside the vCard begun in line %1").arg(cardLine));
    } else if (result.records.empty()) {
        fail(1, QStringLiteral("the file holds no vCard"));
    }
    return result;
}

namespace {

QString escapeValue(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\\' || c == u';' || c == u',')
            out.append(u'\\');
        if (c == u'\n') {
            out.append(QStringLiteral("\\n"));
            continue;
        }
        if (c == u'\r')
            continue;
        out.append(c);
    }
    return out;
}

// Folds at 75 bytes without cutting a UTF-8 sequence.
void appendLine(QByteArray& out, const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    qsizetype start = 0;
    qsizetype limit = 75;
    while (bytes.size() - start > limit) {
        qsizetype cut = start + limit;
        while (cut > start && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(bytes.mid(start, cut - start));
        out.append("\r\n ");
        start = cut;
        limit = 74;  // the leading space counts
    }
    out.append(bytes.mid(start));
    out.append("\r\n");
}

}  // namespace

QByteArray writeVcards(const AddressList& records)
{
    QByteArray out;
    for (const AddressRecord& r : records) {
        auto v = [&](int field) { return document::fromAnsi(r.strings[std::size_t(field)]); };
        auto e = [&](int field) { return escapeValue(v(field)); };
        appendLine(out, QStringLiteral("BEGIN:VCARD"));
        appendLine(out, QStringLiteral("VERSION:4.0"));
        QString full = QStringList{v(FirstName), v(LastName)}.join(u' ').trimmed();
        if (full.isEmpty())
            full = v(Company);
        appendLine(out, QStringLiteral("FN:") + escapeValue(full));
        appendLine(out, QStringLiteral("N:%1;%2;;%3;").arg(e(LastName), e(FirstName), e(Title)));
        auto line = [&](const QString& head, int field) {
            if (!r.strings[std::size_t(field)].empty())
                appendLine(out, head + u':' + e(field));
        };
        line(QStringLiteral("ORG"), Company);
        line(QStringLiteral("TITLE"), Profession);
        auto address = [&](const QString& type, int box, int street, int zip, int city) {
            if (r.strings[std::size_t(box)].empty() && r.strings[std::size_t(street)].empty() &&
                r.strings[std::size_t(zip)].empty() && r.strings[std::size_t(city)].empty())
                return;
            appendLine(
                out,
                QStringLiteral("ADR;TYPE=%1:%2;;%3;%4;;%5;").arg(type, e(box), e(street), e(city), e(zip)));
        };
        address(QStringLiteral("home"), PoBox, Street, Zip, City);
        address(QStringLiteral("work"), PoBoxCompany, StreetCompany, ZipCompany, CityCompany);
        line(QStringLiteral("TEL;TYPE=home,voice"), PhonePrivate1);
        line(QStringLiteral("TEL;TYPE=home,voice"), PhonePrivate2);
        line(QStringLiteral("TEL;TYPE=home,cell"), MobilePrivate);
        line(QStringLiteral("TEL;TYPE=home,fax"), FaxPrivate);
        line(QStringLiteral("TEL;TYPE=work,voice"), PhoneCompany1);
        line(QStringLiteral("TEL;TYPE=work,voice"), PhoneCompany2);
        line(QStringLiteral("TEL;TYPE=work,cell"), MobileCompany);
        line(QStringLiteral("TEL;TYPE=work,fax"), FaxCompany);
        line(QStringLiteral("EMAIL;TYPE=home"), EmailPrivate);
        line(QStringLiteral("EMAIL;TYPE=work"), EmailCompany);
        line(QStringLiteral("URL;TYPE=home"), HomepagePrivate);
        line(QStringLiteral("URL;TYPE=work"), HomepageCompany);
        for (const OwnProperty& own : OwnProperties)
            line(QString::fromLatin1(own.name), own.field);
        appendLine(out, QStringLiteral("END:VCARD"));
    }
    return out;
}

}  // namespace vellamo::addressbook
