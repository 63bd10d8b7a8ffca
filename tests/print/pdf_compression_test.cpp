#include "print/pdf_compression.h"

#include <QByteArray>
#include <gtest/gtest.h>

using vellamo::print::FastPdfCompression;

namespace {

// Text that compresses differently at zlib's fastest and default levels, like a page's content.
QByteArray pageLikeText()
{
    QByteArray text;
    for (int i = 0; i < 4000; ++i)
        text += QByteArray::number(i * 37 % 1009) + " 0 Td <00" + QByteArray::number(i % 97, 16) + "> Tj\n";
    return text;
}

}  // namespace

// Qt compresses through its own call of zlib; that call must reach our level choice.
TEST(PdfCompression, QtCompressesFastestOnlyWhileAScopeLives)
{
    const QByteArray text = pageLikeText();
    const QByteArray fastest = qCompress(text, 1);
    const QByteArray standard = qCompress(text, 6);
    const QByteArray best = qCompress(text, 9);
    ASSERT_NE(fastest, standard);

    EXPECT_EQ(qCompress(text), standard);
    {
        const FastPdfCompression outer;
        EXPECT_EQ(qCompress(text), fastest);
        {
            const FastPdfCompression inner;
            EXPECT_EQ(qCompress(text), fastest);
        }
        EXPECT_EQ(qCompress(text), fastest) << "the outer scope still lives";
        EXPECT_EQ(qCompress(text, 9), best) << "an explicit level is left alone";
    }
    EXPECT_EQ(qCompress(text), standard);
    EXPECT_EQ(qUncompress(fastest), text);
}
