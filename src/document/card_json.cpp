#include "document/card_json.h"

#include "document/ansi_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace vellamo::document {

namespace {

constexpr std::uint64_t DefaultNaNBits = 0x7FF8000000000000;

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// JSON has no NaN or infinity; those travel as strings. A NaN with another payload and -0
// would come back changed from a number or "NaN", so they travel as "0x" and their 16-digit
// bit pattern.
QJsonValue doubleToJson(double value)
{
    if ((std::isnan(value) && bitsOf(value) != DefaultNaNBits) || (value == 0 && std::signbit(value)))
        return QStringLiteral("0x%1").arg(bitsOf(value), 16, 16, QLatin1Char('0'));
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    return value;
}

std::optional<double> doubleFromBitPattern(const QString& s)
{
    if (s.size() != 18 || !s.startsWith(u"0x"))
        return std::nullopt;
    bool ok = false;
    const std::uint64_t bits = s.mid(2).toULongLong(&ok, 16);
    if (!ok)
        return std::nullopt;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double doubleFromJson(const QJsonValue& value, double fallback)
{
    if (value.isString()) {
        const QString s = value.toString();
        if (s == u"NaN")
            return std::numeric_limits<double>::quiet_NaN();
        if (s == u"Infinity")
            return std::numeric_limits<double>::infinity();
        if (s == u"-Infinity")
            return -std::numeric_limits<double>::infinity();
        return doubleFromBitPattern(s).value_or(fallback);
    }
    return value.isDouble() ? value.toDouble() : fallback;
}

QString hex(const unsigned char* bytes, std::size_t count)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(count)).toHex());
}

class JsonFields {
public:
    // `where` names the object in messages, "" for the card itself.
    JsonFields(const QJsonObject& json, QString where, QString& error)
        : m_json(json), m_where(std::move(where)), m_error(error)
    {
    }
    void int32(const char* key, std::int32_t& field) const
    {
        field = std::int32_t(whole(key, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max(), field));
    }
    void byte(const char* key, std::uint8_t& field) const { field = std::uint8_t(whole(key, 0, 255, field)); }
    void flag(const char* key, bool& field) const
    {
        const QJsonValue v = m_json.value(QLatin1String(key));
        if (v.isBool())
            field = v.toBool();
        else if (v.isDouble())
            field = v.toInteger() != 0;
    }
    void field(const char* key, std::int32_t& f) const { int32(key, f); }
    void field(const char* key, std::uint8_t& f) const { byte(key, f); }
    void field(const char* key, bool& f) const { flag(key, f); }
    void field(const char* key, std::string& f) const { text(key, f); }
    void real(const char* key, double& field) const
    {
        field = doubleFromJson(m_json.value(QLatin1String(key)), field);
    }
    void text(const char* key, std::string& field) const
    {
        const QJsonValue v = m_json.value(QLatin1String(key));
        if (!v.isString())
            return;
        const QString text = v.toString();
        // A card file ends each string at its first zero byte; the rest would be read as
        // the following fields.
        if (text.contains(QChar(0))) {
            if (m_error.isEmpty())
                m_error = u'"' + QLatin1String(key) + u'"' + m_where +
                          QStringLiteral(" holds a zero character, which a card file cannot store");
            return;
        }
        field = toAnsi(text);
    }

private:
    // A number the field can hold as it is; anything else would be stored as another value.
    qint64 whole(const char* key, qint64 lowest, qint64 highest, qint64 current) const
    {
        const QJsonValue v = m_json.value(QLatin1String(key));
        if (!v.isDouble())
            return current;
        const double d = v.toDouble();
        if (d == std::trunc(d) && d >= double(lowest) && d <= double(highest))
            return qint64(d);
        if (m_error.isEmpty())
            m_error = u'"' + QLatin1String(key) + u'"' + m_where +
                      QStringLiteral(" must be a whole number from %1 to %2").arg(lowest).arg(highest);
        return current;
    }

    const QJsonObject& m_json;
    QString m_where;
    QString& m_error;
};

QJsonObject formatToJson(const CardFormat& f)
{
    QJsonObject json;
    json["MarginLeft"] = doubleToJson(f.MarginLeft);
    json["MarginTop"] = doubleToJson(f.MarginTop);
    json["PitchX"] = doubleToJson(f.PitchX);
    json["PitchY"] = doubleToJson(f.PitchY);
    json["CardWidth"] = doubleToJson(f.CardWidth);
    json["CardHeight"] = doubleToJson(f.CardHeight);
    json["Columns"] = f.Columns;
    json["Rows"] = f.Rows;
    json["Name"] = fromAnsi(f.Name);
    // What the record holds behind the name, so that the bytes come back exactly.
    const std::size_t behind = 1 + f.Name.size();
    bool anySet = false;
    for (std::size_t i = behind; i < f.NameArea.size(); ++i)
        anySet = anySet || f.NameArea[i] != 0;
    if (anySet)
        json["BytesBehindName"] = hex(f.NameArea.data() + behind, f.NameArea.size() - behind);
    return json;
}

void formatFromJson(const QJsonObject& json, CardFormat& f, QString& error)
{
    JsonFields in(json, QStringLiteral(" of \"CardFormat\""), error);
    in.real("MarginLeft", f.MarginLeft);
    in.real("MarginTop", f.MarginTop);
    in.real("PitchX", f.PitchX);
    in.real("PitchY", f.PitchY);
    in.real("CardWidth", f.CardWidth);
    in.real("CardHeight", f.CardHeight);
    in.int32("Columns", f.Columns);
    in.int32("Rows", f.Rows);
    std::string name = f.Name;
    in.text("Name", name);
    setCardFormatName(f, name);
    f.NameArea.fill(0);
    const QByteArray behind = QByteArray::fromHex(json.value("BytesBehindName").toString().toLatin1());
    const std::size_t start = 1 + f.Name.size();
    for (std::size_t i = 0; i < std::size_t(behind.size()) && start + i < f.NameArea.size(); ++i)
        f.NameArea[start + i] = static_cast<unsigned char>(behind[qsizetype(i)]);
}

// Turns a stored string into its JSON value; the dump puts stand-ins there (see writeCardJson).
using StringValue = std::function<QJsonValue(const std::string&)>;

QJsonValue plainString(const std::string& text) { return fromAnsi(text); }

QJsonValue fieldToJson(std::int32_t value, const StringValue&) { return value; }
QJsonValue fieldToJson(bool value, const StringValue&) { return value; }
QJsonValue fieldToJson(std::uint8_t value, const StringValue&) { return int(value); }
QJsonValue fieldToJson(const std::string& text, const StringValue& string) { return string(text); }

QJsonObject objectToJson(int slot, const Tobs& o, const StringValue& string)
{
    QJsonObject json;
    json["Slot"] = slot;
    visitStoredFields(
        [&](const char* key, auto member) { json[QLatin1String(key)] = fieldToJson(o.*member, string); });
    return json;
}

void objectFromJson(const QJsonObject& json, Tobs& o, int slot, QString& error)
{
    JsonFields in(json, QStringLiteral(" of the object in slot %1").arg(slot), error);
    visitStoredFields([&](const char* key, auto member) { in.field(key, o.*member); });
}

}  // namespace

namespace {

QJsonObject cardToJson(const CardDocument& doc, const StringValue& string)
{
    QJsonObject json;
    json["CardFormat"] = formatToJson(doc.Format);
    json["CardExtentX"] = doc.CardExtentX;
    json["CardExtentY"] = doc.CardExtentY;
    json["BackgroundMode"] = doc.BackgroundMode;
    json["BackgroundFile"] = string(doc.BackgroundFile);
    json["ZoomNum"] = doubleToJson(doc.ZoomNum);
    json["ZoomDen"] = doubleToJson(doc.ZoomDen);
    QJsonArray objects;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (doc.object(slot).Kind > FreeSlot)
            objects.append(objectToJson(slot, doc.object(slot), string));
    }
    json["Objects"] = objects;
    // What the card file holds after its terminator, chunk by chunk, only when there is any.
    if (!doc.Extension.isEmpty()) {
        QJsonArray chunks;
        for (const ExtensionChunk& chunk : doc.Extension.chunks())
            chunks.append(QJsonObject{{"Tag", QString::fromLatin1(chunk.tag)},
                                      {"Data", QString::fromLatin1(chunk.data.toBase64())}});
        json["Extension"] = chunks;
    }
    return json;
}

// A stored string as JSON text without its quotes, escaped exactly as QJsonDocument does.
void writeEscaped(const std::string& text, const std::function<void(const QByteArray&)>& sink)
{
    constexpr std::size_t Slice = 1 << 16;
    for (std::size_t at = 0; at < text.size(); at += Slice) {
        const QByteArray quoted =
            QJsonDocument(QJsonArray{fromAnsi(std::string_view(text).substr(at, Slice))})
                .toJson(QJsonDocument::Compact);
        sink(quoted.mid(2, quoted.size() - 4));  // without [" and "]
    }
}

}  // namespace

QJsonObject cardToJson(const CardDocument& doc) { return cardToJson(doc, plainString); }

void writeCardJson(const CardDocument& doc, const std::function<void(const QByteArray&)>& sink)
{
    // Every string becomes a stand-in of a zero character and its number, which no stored
    // string can hold (they end at their first zero byte); the stand-ins are then replaced.
    std::vector<const std::string*> strings;
    const QJsonObject json = cardToJson(doc, [&strings](const std::string& text) {
        strings.push_back(&text);
        return QJsonValue(QChar(0) + QString::number(strings.size() - 1));
    });
    const QByteArray layout = QJsonDocument(json).toJson(QJsonDocument::Indented);
    const QByteArray standIn = "\"\\u0000";
    qsizetype at = 0;
    while (true) {
        const qsizetype found = layout.indexOf(standIn, at);
        if (found < 0)
            break;
        const qsizetype digits = found + standIn.size();
        const qsizetype end = layout.indexOf('"', digits);
        sink(layout.mid(at, found + 1 - at));
        writeEscaped(*strings[std::size_t(layout.mid(digits, end - digits).toULongLong())], sink);
        at = end;
    }
    sink(layout.mid(at));
}

CardFromJsonResult cardFromJson(const QJsonObject& json, CardDocument& doc)
{
    doc.clearall();
    QString error;
    if (json.contains("CardFormat")) {
        if (!json.value("CardFormat").isObject())
            return {false, QStringLiteral("\"CardFormat\" must be an object")};
        formatFromJson(json.value("CardFormat").toObject(), doc.Format, error);
        doc.updateExtents();
    }
    JsonFields in(json, QString(), error);
    in.int32("CardExtentX", doc.CardExtentX);
    in.int32("CardExtentY", doc.CardExtentY);
    in.int32("BackgroundMode", doc.BackgroundMode);
    in.text("BackgroundFile", doc.BackgroundFile);
    in.real("ZoomNum", doc.ZoomNum);
    in.real("ZoomDen", doc.ZoomDen);
    const QJsonValue objects = json.value("Objects");
    if (!objects.isUndefined() && !objects.isArray())
        return {false, QStringLiteral("\"Objects\" must be an array")};
    for (const QJsonValue& value : objects.toArray()) {
        const QJsonObject object = value.toObject();
        const int slot = object.value("Slot").toInt(0);
        if (!value.isObject() || slot < FirstSlot || slot > LastSlot)
            return {false, QStringLiteral("every object needs a \"Slot\" from 1 to 10000")};
        objectFromJson(object, doc.object(slot), slot, error);
    }
    const QJsonValue extension = json.value("Extension");
    if (!extension.isUndefined() && !extension.isArray())
        return {false, QStringLiteral("\"Extension\" must be an array")};
    doc.Extension.clear();
    for (const QJsonValue& value : extension.toArray()) {
        const QJsonObject chunk = value.toObject();
        const QByteArray tag = chunk.value("Tag").toString().toLatin1();
        const auto data = QByteArray::fromBase64Encoding(chunk.value("Data").toString().toLatin1(),
                                                         QByteArray::AbortOnBase64DecodingErrors);
        if (!value.isObject() || !isExtensionTag(tag) || !chunk.value("Data").isString() || !data)
            return {false, QStringLiteral("every chunk of \"Extension\" needs a \"Tag\" of four printable "
                                          "ASCII characters and its \"Data\" in base64")};
        doc.Extension.appendChunk(tag, *data);
    }
    if (!error.isEmpty())
        return {false, error};
    return {true, QString()};
}

}  // namespace vellamo::document
