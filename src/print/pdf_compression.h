#pragma once

// Qt's PDF engine deflates every page at zlib's default level and has no setting for it. A
// sheet job of thousands of cards spends most of its time there, so while a
// FastPdfCompression lives on a thread, zlib's default level on that thread means its fastest
// level instead: about three times the speed for about a quarter more bytes.

namespace vellamo::print {

class FastPdfCompression {
public:
    FastPdfCompression();
    ~FastPdfCompression();
    FastPdfCompression(const FastPdfCompression&) = delete;
    FastPdfCompression& operator=(const FastPdfCompression&) = delete;

    // Whether one is alive on the calling thread.
    static bool active();
};

}  // namespace vellamo::print
