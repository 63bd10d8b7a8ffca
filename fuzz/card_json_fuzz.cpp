// The JSON card builder: any text is built or refused without a crash, and the card built
// dumps and builds again to the same bytes.

#include "document/card_file.h"
#include "document/card_json.h"
#include "fuzz_support.h"

#include <QJsonDocument>

using namespace vellamo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QJsonDocument json = QJsonDocument::fromJson(fuzzing::inputBytes(data, size));
    if (!json.isObject())
        return 0;
    document::CardDocument doc;
    if (!document::cardFromJson(json.object(), doc).ok)
        return 0;
    const QByteArray bytes = document::cardToBytes(doc);
    // What build writes must read back to the same card.
    document::CardDocument read;
    const auto result = document::readCardBytes(bytes, read);
    fuzzing::check(result.signatureMatched && result.complete, "a built card reads back whole");
    fuzzing::check(document::cardToBytes(read) == bytes, "a built card reads back as it was built");
    const QByteArray dumped = QJsonDocument(document::cardToJson(read)).toJson();
    document::CardDocument rebuilt;
    fuzzing::check(document::cardFromJson(QJsonDocument::fromJson(dumped).object(), rebuilt).ok,
                   "a dumped card builds");
    fuzzing::check(document::cardToBytes(rebuilt) == bytes, "dump then build gives the same bytes");
    return 0;
}
