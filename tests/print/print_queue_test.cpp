// Printing through a real CUPS scheduler of the test's own, checked on the pages poppler
// rasterises from what the queue received.

#include "document/card_file.h"
#include "print/calibration_dialog.h"
#include "print/print_page.h"
#include "support/private_cupsd.h"
#include "support/scripted_prompter.h"
#include "test_cards.h"

#include <QCheckBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vellamo;
using vellamo::testing::PrivateCupsd;
using vellamo::testing::redCornerCard;
using vellamo::testing::ScriptedPrompter;

namespace {

constexpr double MmPerInch = 25.39995;
const QRgb Red = qRgb(255, 0, 0);
const QRgb White = qRgb(255, 255, 255);

PrivateCupsd* scheduler = nullptr;
QString schedulerProblem;

// One scheduler for the whole program, up before anything asks CUPS about printers.
class SchedulerEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        scheduler = new PrivateCupsd;
        if (!scheduler->start(schedulerProblem)) {
            delete scheduler;
            scheduler = nullptr;
            return;
        }
        qputenv("CUPS_SERVER", scheduler->server().toLatin1());
    }
    void TearDown() override
    {
        delete scheduler;
        scheduler = nullptr;
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new SchedulerEnvironment);

#define REQUIRE_SCHEDULER()                                                                                  \
    if (!scheduler)                                                                                          \
    GTEST_SKIP() << "no private CUPS scheduler: " << schedulerProblem.toStdString()

struct QueuePage {
    QTemporaryDir home;
    ScriptedPrompter ask;
    document::CardDocument doc;
    std::unique_ptr<print::PrintPage> page;

    explicit QueuePage(const document::CardFormat& format = document::defaultCardFormat())
        : doc(redCornerCard(format))
    {
        page = std::make_unique<print::PrintPage>(
            doc, [] { return render::RenderContext(); }, ask, home.path() + "/");
        page->printer().setOutputFormat(QPrinter::NativeFormat);
        page->printer().setPrinterName(scheduler->queue());
    }
};

// The red box's top-left corner lies at `corner` pixels from the printable area's corner of
// the page: red inside, white just above and left of it. The box is 10 mm x 5 mm.
void expectRedCornerAt(const QString& pdf, int page, int dpi, QPoint corner, const char* what)
{
    const int offset = vellamo::testing::queuePrintableOffset(dpi);
    const QPoint origin = corner + QPoint(offset, offset) - QPoint(20, 20);
    const QImage area =
        vellamo::testing::rasterisePdfArea(pdf, page, dpi, QRect(origin, QSize(dpi / 2, dpi / 4)));
    ASSERT_FALSE(area.isNull()) << what;
    const QPoint c(20, 20);
    const QPoint far(int(10 / MmPerInch * dpi) - 10, int(5 / MmPerInch * dpi) - 10);
    EXPECT_EQ(area.pixel(c + QPoint(3, 3)), Red) << what << " at " << corner.x() << "," << corner.y();
    EXPECT_EQ(area.pixel(c + far), Red) << what;
    EXPECT_EQ(area.pixel(c + QPoint(-2, 5)), White) << what;
    EXPECT_EQ(area.pixel(c + QPoint(5, -2)), White) << what;
}

}  // namespace

TEST(PrintQueue, TheJobReachesTheQueueWithItsPagesAndTitle)
{
    REQUIRE_SCHEDULER();
    QueuePage p;
    // The preview follows the queue's printable area, (577 - 18) x (824 - 18) points, at the
    // resolution Qt prints it with.
    const int dpi = p.page->printer().resolution();
    const QSize printable = p.page->printer().pageLayout().paintRectPixels(dpi).size();
    EXPECT_NEAR(printable.width(), 559 * dpi / 72, 1);
    EXPECT_NEAR(printable.height(), 806 * dpi / 72, 1);
    EXPECT_EQ(p.page->previewPage(), QSize(printable.width() / (dpi / 35), printable.height() / (dpi / 35)));

    // Used 9, copies 2, 2 x 5: the last cell of sheet 1, then the first cell of sheet 2.
    const int before = int(scheduler->waitForCompletedJobs(0, 0).size());
    p.page->UsedED->setValue(9);
    p.page->KopiesED->setValue(2);
    p.page->SchneidBtn->setChecked(true);
    QTest::mouseClick(p.page->PrintBtn, Qt::LeftButton);
    EXPECT_TRUE(p.ask.messages.empty()) << p.ask.texts().join("; ").toStdString();
    const QStringList titles = scheduler->waitForCompletedJobs(before + 1);
    ASSERT_EQ(titles.size(), before + 1);
    EXPECT_EQ(titles.back(), "Korvend Vellamo 3.5 - Business Card");
    EXPECT_EQ(p.doc.RenderMode, document::ScreenConversion);

    const QString out = scheduler->outputFile();
    EXPECT_EQ(vellamo::testing::pdfPageCount(out), 2);
    // Column 1, row 4: X = Trunc(90 / 25.39995 x Dx), Y = Trunc(55 / 25.39995 x Dy x 4).
    const int x = int(90 / MmPerInch * dpi);
    const int y = int(55 / MmPerInch * dpi * 4);
    if (dpi == 1200) {
        EXPECT_EQ(x, 4251);
        EXPECT_EQ(y, 10393);
    }
    expectRedCornerAt(out, 1, dpi, QPoint(x, y), "position 9");
    expectRedCornerAt(out, 2, dpi, QPoint(0, 0), "position 10");
    const int offset = vellamo::testing::queuePrintableOffset(dpi);
    const QImage firstCell = vellamo::testing::rasterisePdfArea(out, 1, dpi, QRect(offset, offset, 50, 50));
    ASSERT_FALSE(firstCell.isNull());
    EXPECT_EQ(firstCell.pixel(5, 5), White) << "position 0 is used";
    const QImage secondRight =
        vellamo::testing::rasterisePdfArea(out, 2, dpi, QRect(offset + x, offset, 50, 50));
    ASSERT_FALSE(secondRight.isNull());
    EXPECT_EQ(secondRight.pixel(5, 5), White) << "only the first cell of sheet 2";

    // Cut lines: the dotted outline runs on the cell's left edge X, below the red box.
    const QImage edge =
        vellamo::testing::rasterisePdfArea(out, 1, dpi, QRect(offset + x - 2, offset + y + 400, 5, 400));
    ASSERT_FALSE(edge.isNull());
    int black = 0;
    for (int row = 0; row < edge.height(); ++row)
        black += edge.pixel(2, row) == qRgb(0, 0, 0);
    EXPECT_GT(black, 20);
    EXPECT_LT(black, 380) << "dotted";
}

TEST(PrintQueue, CalibrationMovesAndShrinksTheCells)
{
    REQUIRE_SCHEDULER();
    document::CardFormat format = document::defaultCardFormat();
    format.MarginLeft = 10;
    format.MarginTop = 12;
    QueuePage p(format);
    p.page->calibrationDialog()->setCalibration({4, 2, 101, 100});
    p.page->KopiesED->setValue(2);
    const int before = int(scheduler->waitForCompletedJobs(0, 0).size());
    p.page->PrintClick();
    ASSERT_EQ(scheduler->waitForCompletedJobs(before + 1).size(), before + 1);

    // X = Trunc((10 - 4) / (101 x 25.39995 / 100) x Dx), Y = Trunc((12 - 2) / 25.39995 x Dy). The
    // content keeps its own scale, so its corner lies W' - W pixels right of the cell's, W' the
    // card's width at 25.39995.
    const int dpi = p.page->printer().resolution();
    const double mmX = 101 * MmPerInch / 100;
    const int x = int(6 / mmX * dpi);
    const int y = int(10 / MmPerInch * dpi);
    const int shift = int(90 / MmPerInch * dpi) - int(90 / mmX * dpi);
    if (dpi == 1200) {
        EXPECT_EQ(x, 280);
        EXPECT_EQ(y, 472);
        EXPECT_EQ(shift, 4251 - 4209);
    }
    expectRedCornerAt(scheduler->outputFile(), 1, dpi, QPoint(x + shift, y), "column 0");
    // Column 1: X = Trunc(6 / mmX x Dx + 90 / mmX x Dx).
    const int x1 = int(6 / mmX * dpi + 90 / mmX * dpi);
    expectRedCornerAt(scheduler->outputFile(), 1, dpi, QPoint(x1 + shift, y), "column 1");
}

TEST(PrintQueue, TheTestRectangle)
{
    REQUIRE_SCHEDULER();
    QueuePage p;
    const int before = int(scheduler->waitForCompletedJobs(0, 0).size());
    QTest::mouseClick(p.page->calibrationDialog()->BitBtn1, Qt::LeftButton);
    const QStringList titles = scheduler->waitForCompletedJobs(before + 1);
    ASSERT_EQ(titles.size(), before + 1);
    EXPECT_EQ(titles.back(), "Test printing");
    // 100 mm = Trunc(100 / 25.39995 x Dx) pixels: the outline on 0 and side - 1, silver inside.
    const int dpi = p.page->printer().resolution();
    const int side = int(100 / MmPerInch * dpi);
    if (dpi == 1200) {
        EXPECT_EQ(side, 4724);
    }
    const int o = vellamo::testing::queuePrintableOffset(dpi);
    const QImage corner =
        vellamo::testing::rasterisePdfArea(scheduler->outputFile(), 1, dpi, QRect(o, o, 20, 20));
    const QImage far = vellamo::testing::rasterisePdfArea(scheduler->outputFile(), 1, dpi,
                                                          QRect(o + side - 10, o + side - 10, 20, 20));
    ASSERT_FALSE(corner.isNull());
    ASSERT_FALSE(far.isNull());
    EXPECT_EQ(corner.pixel(10, 10), qRgb(192, 192, 192));
    EXPECT_EQ(corner.pixel(0, 10), qRgb(0, 0, 0));
    EXPECT_EQ(corner.pixel(10, 0), qRgb(0, 0, 0));
    EXPECT_EQ(far.pixel(9, 5), qRgb(0, 0, 0)) << "the right edge, side - 1";
    EXPECT_EQ(far.pixel(5, 9), qRgb(0, 0, 0));
    EXPECT_EQ(far.pixel(11, 5), White);
    EXPECT_EQ(far.pixel(5, 11), White);
    EXPECT_EQ(far.pixel(5, 5), qRgb(192, 192, 192));
    EXPECT_TRUE(p.ask.messages.empty());
}

TEST(PrintQueue, AQueueThatRefusesTheJobIsReported)
{
    REQUIRE_SCHEDULER();
    QueuePage p;
    ASSERT_TRUE(scheduler->run("cupsreject", {scheduler->queue()}));
    p.page->PrintClick();
    ASSERT_TRUE(scheduler->run("cupsaccept", {scheduler->queue()}));
    ASSERT_EQ(p.ask.messages.size(), 1u);
    const QString text = p.ask.messages[0].text;
    EXPECT_TRUE(text.contains("the printer \"vellamo-test\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("not accepting", Qt::CaseInsensitive)) << text.toStdString();
    EXPECT_EQ(p.doc.RenderMode, document::ScreenConversion);
}

TEST(PrintQueue, CommandLinePrintsOnTheQueue)
{
    REQUIRE_SCHEDULER();
    QTemporaryDir home;
    const QString card = home.filePath("card.vis");
    {
        QFile f(card);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(document::cardToBytes(redCornerCard()));
    }
    auto run = [&](const QStringList& args, QByteArray* err) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CUPS_SERVER", scheduler->server());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VELLAMO_EXECUTABLE), QStringList{"--home", home.path()} + args);
        p.waitForFinished(60000);
        *err = p.readAllStandardError();
        return p.exitCode();
    };
    QByteArray err;
    const int before = int(scheduler->waitForCompletedJobs(0, 0).size());
    EXPECT_EQ(run({"print", card, "--printer", scheduler->queue(), "--used", "3", "--copies", "2"}, &err), 0)
        << err.toStdString();
    ASSERT_EQ(scheduler->waitForCompletedJobs(before + 1).size(), before + 1);
    // Position 3: column 1, row 1, at the resolution Qt prints the queue with.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(scheduler->queue());
    const int dpi = printer.resolution();
    expectRedCornerAt(scheduler->outputFile(), 1, dpi,
                      QPoint(int(90 / MmPerInch * dpi), int(55 / MmPerInch * dpi)), "position 3");

    EXPECT_EQ(run({"print", card, "--printer", "no-such-queue"}, &err), 1);
    EXPECT_TRUE(err.contains("there is no printer \"no-such-queue\"")) << err.toStdString();
    EXPECT_TRUE(err.contains("vellamo-test")) << "names the printers there are";
}
