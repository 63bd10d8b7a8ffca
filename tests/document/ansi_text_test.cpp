#include "document/ansi_text.h"

#include <gtest/gtest.h>

using namespace vellamo::document;

TEST(AnsiText, WindowsCharactersRoundTrip)
{
    const std::string bytes = "caf\xE9 Stra\xDF"
                              "e \x80 \x9C";
    const QString text = fromAnsi(bytes);
    EXPECT_EQ(text, QString::fromUtf8("café Straße € œ"));
    EXPECT_EQ(toAnsi(text), bytes);
}

TEST(AnsiText, EveryByteSurvives)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(char(b));
    EXPECT_EQ(toAnsi(fromAnsi(all)), all);
}

TEST(AnsiText, UnrepresentableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(toAnsi(QString::fromUtf8("Ω→😀x")), "???x");
}
