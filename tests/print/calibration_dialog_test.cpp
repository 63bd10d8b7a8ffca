#include "print/calibration_dialog.h"

#include "editor/dialog_support.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace vellamo;
using print::TKalForm;

namespace {

constexpr double MmPerInch = 25.39995;

// Types into a field as a user does and leaves it with Tab.
void typeInto(QDoubleSpinBox* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QString typed = text;
    typed.replace(u'.', QLocale().decimalPoint());
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Tab);
}

}  // namespace

TEST(CalibrationDialog, TextsRangesAndFirstValues)
{
    TKalForm dialog({});
    EXPECT_EQ(dialog.windowTitle(), "Calibrate printer...");
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts.append(label->text());
    for (const char* text :
         {"Use this for every new printer to get exact printouts!",
          "Please measure the following values on the printout and correct the values if they are wrong.",
          "Distance of rectangle from left edge:", "Distance of rectangle from top edge:", "Rectangle width:",
          "Rectangle height:"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(text))) << text;
    EXPECT_EQ(texts.count("mm ="), 4);
    EXPECT_EQ(texts.count("inches"), 4);
    EXPECT_EQ(dialog.BitBtn1->text(), "Print test rectangle...");

    EXPECT_EQ(dialog.calibration(), print::Calibration{});
    EXPECT_DOUBLE_EQ(dialog.LinksEd->minimum(), 0);
    EXPECT_DOUBLE_EQ(dialog.LinksEd->maximum(), 10);
    EXPECT_DOUBLE_EQ(dialog.HochEd->minimum(), 70);
    EXPECT_DOUBLE_EQ(dialog.HochEd->maximum(), 130);
    EXPECT_DOUBLE_EQ(dialog.BreitEd->singleStep(), 0.1);
    EXPECT_DOUBLE_EQ(dialog.BreitEdin->singleStep(), 0.01);
    // The twins show mm / 25.39995 from the start.
    EXPECT_NEAR(dialog.BreitEdin->value(), 100 / MmPerInch, 1e-9);
    EXPECT_NEAR(dialog.HochEdin->value(), 100 / MmPerInch, 1e-9);
    EXPECT_EQ(dialog.LinksEDin->value(), 0);
}

TEST(CalibrationDialog, MillimetresAndInchesFollowEachOther)
{
    TKalForm dialog({});
    dialog.show();
    typeInto(dialog.HochEd, "99.5");
    EXPECT_DOUBLE_EQ(dialog.HochEd->value(), 99.5);
    EXPECT_NEAR(dialog.HochEdin->value(), 99.5 / MmPerInch, 1e-9);
    EXPECT_EQ(dialog.HochEdin->text(), QLocale().toString(99.5 / MmPerInch, 'f', 3));

    typeInto(dialog.BreitEdin, "4");
    EXPECT_NEAR(dialog.BreitEd->value(), 4 * MmPerInch, 1e-9);
    EXPECT_DOUBLE_EQ(dialog.BreitEdin->value(), 4);

    // Beyond the millimetre range: pulled back, and the inches follow.
    typeInto(dialog.BreitEdin, "10");
    EXPECT_DOUBLE_EQ(dialog.BreitEd->value(), 130);
    EXPECT_NEAR(dialog.BreitEdin->value(), 130 / MmPerInch, 1e-9);
    typeInto(dialog.LinksEDin, "1");
    EXPECT_DOUBLE_EQ(dialog.LinksEd->value(), 10);
    EXPECT_NEAR(dialog.LinksEDin->value(), 10 / MmPerInch, 1e-9);

    typeInto(dialog.ObenEd, "2.5");
    EXPECT_EQ(dialog.calibration(), (print::Calibration{10, 2.5, 130, 99.5}));

    dialog.setCalibration({-3, 4, 200, 101});
    EXPECT_EQ(dialog.calibration(), (print::Calibration{0, 4, 130, 101}));
    EXPECT_NEAR(dialog.ObenEdin->value(), 4 / MmPerInch, 1e-9);
    EXPECT_NEAR(dialog.BreitEdin->value(), 130 / MmPerInch, 1e-9);
}

TEST(CalibrationDialog, TheTestPrintKeepsTheDialogOpen)
{
    int printed = 0;
    TKalForm dialog([&] { ++printed; });
    bool openAfterPrint = false;
    QString caption;
    vellamo::testing::whileOpen(dialog, [&] {
        caption =
            QApplication::activeModalWidget() ? QApplication::activeModalWidget()->windowTitle() : QString();
        QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
        openAfterPrint = dialog.isVisible();
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(caption, "Calibrate printer...");
    EXPECT_EQ(printed, 1);
    EXPECT_TRUE(openAfterPrint);
}
