#include "document/extension_part.h"

#include "document/binary_io.h"

#include <algorithm>

namespace vellamo::document {

const QByteArray* ExtensionPart::chunk(const QByteArray& tag) const
{
    for (const ExtensionChunk& c : m_chunks) {
        if (c.tag == tag)
            return &c.data;
    }
    return nullptr;
}

void ExtensionPart::setChunk(const QByteArray& tag, const QByteArray& data)
{
    auto first = std::find_if(m_chunks.begin(), m_chunks.end(), [&](const auto& c) { return c.tag == tag; });
    if (first == m_chunks.end()) {
        m_chunks.push_back({tag, data});
        return;
    }
    first->data = data;
    m_chunks.erase(std::remove_if(first + 1, m_chunks.end(), [&](const auto& c) { return c.tag == tag; }),
                   m_chunks.end());
}

void ExtensionPart::removeChunks(const QByteArray& tag)
{
    std::erase_if(m_chunks, [&](const auto& c) { return c.tag == tag; });
}

void ExtensionPart::appendChunk(const QByteArray& tag, const QByteArray& data)
{
    m_chunks.push_back({tag, data});
}

bool isExtensionTag(const QByteArray& tag)
{
    return tag.size() == 4 &&
           std::all_of(tag.begin(), tag.end(), [](char c) { return c >= 0x21 && c <= 0x7E; });
}

QByteArray extensionToBytes(const ExtensionPart& part)
{
    if (part.isEmpty())
        return {};
    QByteArray bytes(ExtensionMagic, ExtensionMagicSize);
    appendInt32(bytes, ExtensionVersion);
    for (const ExtensionChunk& c : part.chunks()) {
        bytes.append(c.tag);
        appendInt32(bytes, std::int32_t(c.data.size()));
        bytes.append(c.data);
    }
    return bytes;
}

ExtensionRead readExtension(const QByteArray& bytes, qsizetype from, ExtensionPart& part)
{
    part.clear();
    if (from < 0 || bytes.size() - from < ExtensionMagicSize ||
        QByteArrayView(bytes).sliced(from, ExtensionMagicSize) !=
            QByteArrayView(ExtensionMagic, ExtensionMagicSize))
        return ExtensionRead::Absent;
    qsizetype at = from + ExtensionMagicSize;
    const auto int32At = [&](qsizetype position) { return readInt32(bytes.constData() + position); };
    // A later version may lay its chunks out otherwise: nothing of it can be read safely.
    if (bytes.size() - at < 4 || int32At(at) != ExtensionVersion)
        return ExtensionRead::Damaged;
    at += 4;
    while (at < bytes.size()) {
        if (bytes.size() - at < 8)
            return ExtensionRead::Damaged;
        const QByteArray tag = bytes.sliced(at, 4);
        const std::int32_t length = int32At(at + 4);
        if (!isExtensionTag(tag) || length < 0 || length > bytes.size() - at - 8)
            return ExtensionRead::Damaged;
        part.appendChunk(tag, bytes.sliced(at + 8, length));
        at += 8 + length;
    }
    return ExtensionRead::Read;
}

}  // namespace vellamo::document
