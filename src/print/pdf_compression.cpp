#include "print/pdf_compression.h"

#include <zlib.h>

namespace vellamo::print {

namespace {

thread_local int liveScopes = 0;

}  // namespace

FastPdfCompression::FastPdfCompression() { ++liveScopes; }

FastPdfCompression::~FastPdfCompression() { --liveScopes; }

bool FastPdfCompression::active() { return liveScopes > 0; }

}  // namespace vellamo::print

// Takes the place of zlib's own deflateInit_ for the whole program: the dynamic linker looks in
// the program before the libraries, so Qt's calls arrive here. Everything but the level is what
// zlib's deflateInit_ passes on to deflateInit2_.
extern "C" int deflateInit_(z_streamp stream, int level, const char* version, int streamSize)
{
    if (level == Z_DEFAULT_COMPRESSION && vellamo::print::FastPdfCompression::active())
        level = Z_BEST_SPEED;
    constexpr int DefaultMemoryLevel = 8;
    return deflateInit2_(stream, level, Z_DEFLATED, MAX_WBITS, DefaultMemoryLevel, Z_DEFAULT_STRATEGY,
                         version, streamSize);
}
