#include "document/extension_part.h"

#include "document/card_file.h"
#include "document/card_json.h"
#include "support/bytes.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace vellamo::document;
using vellamo::testing::Bytes;
using vellamo::testing::cardSignature;
using vellamo::testing::formatRecord;

namespace {

// A card of one line, up to and including its terminator, as the documented layout has it.
QByteArray legacyCard()
{
    Bytes b;
    b.raw(cardSignature()).raw(formatRecord(0, 0, 90, 55, 90, 55, 2, 5, "None Business Cardstype"));
    b.i32(212598).i32(129921).i32(-1).zstr("").f64(1.0).f64(208.0);
    b.i32(3).i32(100).i32(200).i32(3000).i32(0).u8(0).i32(1).i32(0).i32(6).i32(0);
    b.i32(0).i32(0).u8(0).u8(0).i32(5).i32(5).u8(0).u8(0).i32(5).i32(0);
    b.zstr("").i32(0).i32(0).zstr("").u8(0).i32(0).u8(0);
    b.i32(10001);
    return b.data;
}

QByteArray part(int version, const QList<std::pair<QByteArray, QByteArray>>& chunks)
{
    Bytes b;
    b.raw(QByteArray("\x89KVX\r\n\x1a\n", 8)).i32(version);
    for (const auto& [tag, data] : chunks)
        b.raw(tag).i32(int(data.size())).raw(data);
    return b.data;
}

QByteArray dumpAndBuild(const CardDocument& doc)
{
    QByteArray json;
    writeCardJson(doc, [&](const QByteArray& piece) { json += piece; });
    CardDocument built;
    const auto result = cardFromJson(QJsonDocument::fromJson(json).object(), built);
    EXPECT_TRUE(result.ok) << result.message.toStdString();
    return cardToBytes(built);
}

}  // namespace

TEST(ExtensionPart, ChunksAfterTheTerminatorAreKeptAndWrittenBackUnchanged)
{
    const QByteArray unknown(part(
        1, {{"ZZZZ", QByteArray("a later version's data\0with zeros", 33)}, {"TEXT", ""}, {"ZZZZ", "x"}}));
    const QByteArray file = legacyCard() + unknown;
    CardDocument doc;
    const auto read = readCardBytes(file, doc);
    EXPECT_TRUE(read.complete);
    EXPECT_FALSE(read.extensionDamaged);
    ASSERT_EQ(doc.Extension.chunks().size(), 3u);
    EXPECT_EQ(doc.Extension.chunks()[2].data, "x");
    EXPECT_EQ(cardToBytes(doc), file);
    EXPECT_EQ(dumpAndBuild(doc), file) << "dump and build carry the chunks";

    // What a documented-layout reader sees stays the old card; nothing new writes no part at all.
    CardDocument plain;
    readCardBytes(legacyCard(), plain);
    EXPECT_EQ(cardToBytes(plain), legacyCard());
    EXPECT_EQ(dumpAndBuild(plain), legacyCard());
    EXPECT_EQ(extensionToBytes({}), QByteArray());
}

TEST(ExtensionPart, BytesThatAreNotOursAreIgnoredAndDamageKeepsTheWholeChunks)
{
    CardDocument doc;
    auto read = readCardBytes(legacyCard() + "trailing bytes of another program", doc);
    EXPECT_TRUE(read.complete);
    EXPECT_FALSE(read.extensionDamaged);
    EXPECT_TRUE(doc.Extension.isEmpty());

    const QByteArray whole = part(1, {{"AAAA", "first"}, {"BBBB", "second"}});
    const struct {
        const char* what;
        QByteArray bytes;
        std::size_t kept;
    } damaged[] = {
        {"cut inside the second chunk", whole.left(whole.size() - 2), 1},
        {"cut inside a chunk header", whole.left(whole.size() - 8), 1},
        {"a length beyond the end", part(1, {{"AAAA", "first"}}) + Bytes().raw("CCCC").i32(1000).data, 1},
        {"a negative length", Bytes().raw(part(1, {})).raw("CCCC").i32(-1).data, 0},
        {"a tag with a control character", part(1, {{"AAAA", "first"}, {QByteArray("B\nBB"), "x"}}), 1},
        {"another version", part(2, {{"AAAA", "first"}}), 0},
        {"no version", QByteArray("\x89KVX\r\n\x1a\n", 8), 0},
    };
    for (const auto& test : damaged) {
        SCOPED_TRACE(test.what);
        read = readCardBytes(legacyCard() + test.bytes, doc);
        EXPECT_TRUE(read.complete);
        EXPECT_TRUE(read.extensionDamaged);
        EXPECT_EQ(doc.Extension.chunks().size(), test.kept);
        EXPECT_EQ(doc.object(3).Width, 3000) << "the objects are whole";
    }
}

TEST(ExtensionPart, SettingAChunkReplacesEveryChunkOfItsTag)
{
    ExtensionPart p;
    p.appendChunk("AAAA", "1");
    p.appendChunk("BBBB", "2");
    p.appendChunk("AAAA", "3");
    p.setChunk("AAAA", "new");
    ASSERT_EQ(p.chunks().size(), 2u);
    EXPECT_EQ(*p.chunk("AAAA"), "new");
    EXPECT_EQ(p.chunks()[1].tag, "BBBB");
    p.removeChunks("BBBB");
    p.setChunk("CCCC", "c");
    EXPECT_EQ(extensionToBytes(p), part(1, {{"AAAA", "new"}, {"CCCC", "c"}}));
    EXPECT_EQ(p.chunk("BBBB"), nullptr);
}
