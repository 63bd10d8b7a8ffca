#include "app/sub_prog_path.h"

#include <gtest/gtest.h>

using vellamo::app::SubProgPath;

TEST(SubProgPath, OnlyFilesDirectlyInTheProgramFolderBecomeBareNames)
{
    const QString home = "/opt/vellamo/";
    EXPECT_EQ(SubProgPath("/opt/vellamo/logo.jpg", home), "logo.jpg");
    EXPECT_EQ(SubProgPath("/opt/vellamo/pics/logo.jpg", home), "/opt/vellamo/pics/logo.jpg") << "a subfolder";
    EXPECT_EQ(SubProgPath("/srv/logo.jpg", home), "/srv/logo.jpg") << "elsewhere";
    EXPECT_EQ(SubProgPath("/srv/opt/vellamo/logo.jpg", home), "/srv/opt/vellamo/logo.jpg")
        << "the folder in the middle of a path";
    EXPECT_EQ(SubProgPath("logo.jpg", home), "logo.jpg") << "already bare";
    EXPECT_EQ(SubProgPath("/opt/vellamo/logo.jpg", "/opt/vellamo"), "logo.jpg") << "folder without separator";
    EXPECT_EQ(SubProgPath("/opt/vellamo/logo.jpg", ""), "/opt/vellamo/logo.jpg");
}

TEST(SubProgPath, LettersMustMatchExactlyAndBothSeparatorsCount)
{
    // Another case names another file here.
    EXPECT_EQ(SubProgPath("/Opt/Vellamo/logo.jpg", "/opt/vellamo/"), "/Opt/Vellamo/logo.jpg");
    EXPECT_EQ(SubProgPath("c:\\cards\\logo.jpg", "C:\\Cards\\"), "c:\\cards\\logo.jpg");
    EXPECT_EQ(SubProgPath("C:\\Cards\\logo.jpg", "C:\\Cards\\"), "logo.jpg");
    EXPECT_EQ(SubProgPath("C:\\Cards\\pics\\logo.jpg", "C:\\Cards\\"), "C:\\Cards\\pics\\logo.jpg");
    EXPECT_EQ(SubProgPath("/opt/vellamo\\logo.jpg", "/opt/vellamo/"), "logo.jpg");
    EXPECT_EQ(SubProgPath("C:/Cards/logo.jpg", "C:\\Cards\\"), "logo.jpg");
}
