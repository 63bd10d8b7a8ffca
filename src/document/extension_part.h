#pragma once

// What a file holds beyond what its documented layout can: a part placed after the layout's
// end (the card file's terminator, the last record of the list and address files), where a
// reader that follows the layout never looks. A magic and a version, then chunks, each a tag of
// four printable ASCII characters, a little-endian 32-bit length and that many bytes. Chunks
// this program does not understand are kept and written back unchanged, so a later version's
// file loses nothing passing through this one.

#include <QByteArray>
#include <vector>

namespace vellamo::document {

inline constexpr char ExtensionMagic[] = "\x89KVX\r\n\x1a\n";
inline constexpr int ExtensionMagicSize = 8;
inline constexpr int ExtensionVersion = 1;

struct ExtensionChunk {
    QByteArray tag;
    QByteArray data;
    bool operator==(const ExtensionChunk&) const = default;
};

class ExtensionPart {
public:
    const std::vector<ExtensionChunk>& chunks() const { return m_chunks; }
    bool isEmpty() const { return m_chunks.empty(); }

    // The first chunk with this tag, or null.
    const QByteArray* chunk(const QByteArray& tag) const;
    // Replaces the first chunk with this tag (removing any further ones), or appends it.
    void setChunk(const QByteArray& tag, const QByteArray& data);
    void removeChunks(const QByteArray& tag);
    // Keeps the chunk as read, beside any others of its tag.
    void appendChunk(const QByteArray& tag, const QByteArray& data);
    void clear() { m_chunks.clear(); }

    bool operator==(const ExtensionPart&) const = default;

private:
    std::vector<ExtensionChunk> m_chunks;
};

// Four printable ASCII characters.
bool isExtensionTag(const QByteArray& tag);

// The part as stored; an empty part is no bytes at all, so a file without anything new is
// written exactly as the documented layout describes it.
QByteArray extensionToBytes(const ExtensionPart& part);

enum class ExtensionRead {
    Absent,  // nothing follows, or bytes that are not ours (ignored, as the layout's reader does)
    Read,
    Damaged,  // our magic, but a version or chunk that cannot be read whole; whole chunks kept
};

// Reads the part from `bytes`, starting at `from`.
ExtensionRead readExtension(const QByteArray& bytes, qsizetype from, ExtensionPart& part);

}  // namespace vellamo::document
