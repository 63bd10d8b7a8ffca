#include "print/jpeg_quality_dialog.h"

#include "editor/dialog_support.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace vellamo;
using print::TJPEGQForm;
using vellamo::testing::whileOpen;

TEST(JpegQualityDialog, SliderAndNumberFollowEachOther)
{
    TJPEGQForm dialog;
    EXPECT_EQ(dialog.QualED1->value(), 75);
    EXPECT_EQ(dialog.QualED2->value(), 75);
    EXPECT_EQ(dialog.QualED1->minimum(), 1);
    EXPECT_EQ(dialog.QualED1->maximum(), 99);
    EXPECT_EQ(dialog.QualED2->minimum(), 1);
    EXPECT_EQ(dialog.QualED2->maximum(), 99);

    dialog.show();
    dialog.QualED1->setFocus();
    QTest::keyClick(dialog.QualED1, Qt::Key_End);
    EXPECT_EQ(dialog.QualED2->value(), 99);
    QTest::keyClick(dialog.QualED1, Qt::Key_Home);
    EXPECT_EQ(dialog.QualED2->value(), 1);

    dialog.QualED2->setFocus();
    dialog.QualED2->selectAll();
    QTest::keyClicks(dialog.QualED2, "42");
    EXPECT_EQ(dialog.QualED1->value(), 42);
    dialog.QualED2->selectAll();
    QTest::keyClicks(dialog.QualED2, "250");
    EXPECT_EQ(dialog.QualED2->value(), 25) << "the third digit does not fit";
    EXPECT_EQ(dialog.QualED1->value(), 25);
}

TEST(JpegQualityDialog, OkGivesTheSliderAndCancelNothing)
{
    TJPEGQForm dialog;
    QString caption;
    QStringList texts;
    whileOpen(dialog, [&] {
        QWidget* open = QApplication::activeModalWidget();
        caption = open ? open->windowTitle() : QString();
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            texts.append(label->text());
        dialog.QualED1->setValue(30);
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    });
    EXPECT_EQ(dialog.chooseJpegQuality(), 30);
    EXPECT_EQ(caption, "Choose JPEG compression rate");
    EXPECT_TRUE(texts.contains(
        "The more strongly the picture is compressed, the smaller the quality and memory needed."));
    EXPECT_TRUE(texts.contains("Default: 75"));
    EXPECT_TRUE(texts.contains("Low quality"));
    EXPECT_TRUE(texts.contains("High quality"));
    EXPECT_TRUE(texts.contains("As number:"));
    EXPECT_EQ(dialog.cancelButton->text(), "&Cancel");

    whileOpen(dialog, [&] {
        dialog.QualED1->setValue(60);
        QTest::mouseClick(dialog.cancelButton, Qt::LeftButton);
    });
    EXPECT_EQ(dialog.chooseJpegQuality(), std::nullopt);
    EXPECT_EQ(dialog.QualED2->value(), 60) << "the dialog keeps what was moved";
}

TEST(JpegQualityDialog, StoredValuesComeBackAsTheyWere)
{
    TJPEGQForm dialog;
    dialog.setValues({40, 41});
    EXPECT_EQ(dialog.values().slider, 40);
    EXPECT_EQ(dialog.values().number, 41);
    dialog.setValues({0, 500});
    EXPECT_EQ(dialog.values().slider, 1);
    EXPECT_EQ(dialog.values().number, 99);
}
