#include "app/scan_controller.h"

#include "app/main_window.h"
#include "app/scanner_dialog.h"
#include "app/settings.h"
#include "imaging/netpbm.h"
#include "imaging/picture_writer.h"
#include "print/jpeg_quality_dialog.h"
#include "support/files.h"
#include "support/sane_test_backend.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_prompter.h"

#include <QAction>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace vellamo;
using vellamo::testing::SaneTestBackend;
using vellamo::testing::ScriptedPrompter;
using Options = std::map<std::string, std::string>;

namespace {

class ScriptedScannerChooser : public app::ScannerChooser {
public:
    std::deque<std::optional<QString>> answers;
    std::vector<QString> preselected;
    std::vector<std::size_t> listed;

    std::optional<QString> choose(const std::vector<scanning::ScannerDevice>& devices,
                                  const QString& selected) override
    {
        preselected.push_back(selected);
        listed.push_back(devices.size());
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// About two seconds of scanning, so that the test sees it running.
const Options SlowScan{{"read-limit", "true"},
                       {"read-limit-size", "2048"},
                       {"read-delay", "true"},
                       {"read-delay-duration", "10000"}};

struct ScanShell {
    QTemporaryDir home;
    ScriptedPrompter ask;
    ScriptedScannerChooser chooser;
    // The automatic New at start is cancelled.
    vellamo::testing::ScriptedFormatChooser formats;
    vellamo::testing::ScriptedFormatEditor formatEditor;
    std::unique_ptr<app::TSDIAppForm> window;

    ScanShell()
    {
        // Settings of this test program alone: tests of other programs run in parallel.
        static QTemporaryDir settingsFolder;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
        app::saveScannerName(QString());
        app::ShellDialogs dialogs;
        dialogs.prompter = &ask;
        dialogs.scannerChooser = &chooser;
        dialogs.formatList = &formats;
        dialogs.formatEditor = &formatEditor;
        window = std::make_unique<app::TSDIAppForm>(home.path() + "/", dialogs);
        window->scanning()->settings.resolution = 100;
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QAction* chooseItem() const { return window->action("Choose scanner..."); }
    QAction* scanItem() const { return window->action("Scan picture..."); }
    bool waitUntilIdle()
    {
        return QTest::qWaitFor([&] { return !window->scanning()->isScanning(); }, 20000);
    }
};

}  // namespace

TEST(ScanController, ChooseScannerPreselectsTheLastChoiceAndKeepsIt)
{
    SaneTestBackend backend;
    ScanShell s;
    s.chooser.answers = {QString("test:1"), std::nullopt};
    s.chooseItem()->trigger();
    s.chooseItem()->trigger();
    ASSERT_EQ(s.chooser.preselected.size(), 2u);
    EXPECT_EQ(s.chooser.listed[0], 2u);
    EXPECT_EQ(s.chooser.preselected[0], "");
    EXPECT_EQ(s.chooser.preselected[1], "test:1");
    EXPECT_EQ(app::savedScannerName(), "test:1");  // a cancelled choice keeps the last one
    EXPECT_TRUE(s.ask.messages.empty());
}

TEST(ScanController, TheDialogShowsVendorModelAndNameWithTheChoiceSelected)
{
    app::TScannerForm dialog;
    const std::vector<scanning::ScannerDevice> devices{
        {"test:0", "Noname", "frontend-tester", "virtual device"},
        {"net:host:epson2", "Epson", "GT-X820", "flatbed"}};
    QStringList seen;
    QTimer::singleShot(0, &dialog, [&] {
        for (int column = 0; column < 3; ++column)
            seen << dialog.list()->headerItem()->text(column);
        seen << dialog.list()->currentItem()->text(0) << dialog.list()->currentItem()->text(2);
        dialog.accept();
    });
    EXPECT_EQ(dialog.choose(devices, "net:host:epson2"), QString("net:host:epson2"));
    EXPECT_EQ(seen, (QStringList{"Vendor", "Model", "Name", "Epson", "net:host:epson2"}));
    QTimer::singleShot(0, &dialog, [&] { dialog.reject(); });
    EXPECT_EQ(dialog.choose(devices, "gone:0"), std::nullopt);
    EXPECT_EQ(dialog.list()->currentItem()->text(2), "test:0");
}

TEST(ScanController, NoScannerIsAMessageNotAnEmptyDialog)
{
    SaneTestBackend backend(Options{}, 0);
    ScanShell s;
    s.chooseItem()->trigger();
    s.scanItem()->trigger();
    EXPECT_TRUE(s.chooser.preselected.empty());
    ASSERT_EQ(s.ask.messages.size(), 2u);
    for (const auto& m : s.ask.messages)
        EXPECT_EQ(m.text, app::NoScannerMessage);
    EXPECT_FALSE(s.window->scanning()->isScanning());
}

TEST(ScanController, ScanRunsInTheBackgroundAndEscapeCancelsIt)
{
    SaneTestBackend backend(SlowScan, 1);
    ScanShell s;
    s.scanItem()->trigger();  // the only scanner: no question
    EXPECT_TRUE(s.chooser.preselected.empty());
    ASSERT_TRUE(s.window->scanning()->isScanning());
    EXPECT_FALSE(s.scanItem()->isEnabled());
    EXPECT_FALSE(s.chooseItem()->isEnabled());
    EXPECT_TRUE(s.window->scanning()->cancelButton()->isVisible());
    // The window keeps handling events while the bar moves.
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.window->progressBar()->value() > 0; }, 10000));
    QTest::keyClick(s.window.get(), Qt::Key_Escape);
    ASSERT_TRUE(s.waitUntilIdle());
    EXPECT_TRUE(s.scanItem()->isEnabled());
    EXPECT_TRUE(s.chooseItem()->isEnabled());
    EXPECT_FALSE(s.window->scanning()->cancelButton()->isVisible());
    EXPECT_EQ(s.window->progressBar()->value(), 0);
    EXPECT_TRUE(s.ask.messages.empty());
    EXPECT_TRUE(s.ask.saveRequests.empty());

    // The Cancel button does the same.
    s.scanItem()->trigger();
    ASSERT_TRUE(s.window->scanning()->isScanning());
    QTest::mouseClick(s.window->scanning()->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(s.waitUntilIdle());
    EXPECT_TRUE(s.ask.messages.empty());
}

TEST(ScanController, DeviceErrorNamesTheDeviceAndEnablesTheItemsAgain)
{
    SaneTestBackend backend(Options{{"read-status-code", "\"SANE_STATUS_NO_DOCS\""}});
    ScanShell s;
    s.chooser.answers = {QString("test:1")};  // two scanners, none chosen yet: asked first
    s.scanItem()->trigger();
    EXPECT_EQ(s.chooser.preselected.size(), 1u);
    ASSERT_TRUE(s.waitUntilIdle());
    ASSERT_EQ(s.ask.messages.size(), 1u);
    EXPECT_TRUE(s.ask.messages[0].text.contains("\"test:1\"")) << s.ask.messages[0].text.toStdString();
    EXPECT_TRUE(s.ask.messages[0].text.contains("Document feeder out of documents"))
        << s.ask.messages[0].text.toStdString();
    EXPECT_TRUE(s.scanItem()->isEnabled());
    EXPECT_TRUE(s.ask.saveRequests.empty());
}

TEST(ScanController, ClosingTheWindowDuringAScanStopsIt)
{
    SaneTestBackend backend(SlowScan, 1);
    ScanShell s;
    s.scanItem()->trigger();
    ASSERT_TRUE(s.window->scanning()->isScanning());
    QElapsedTimer timer;
    timer.start();
    s.window->close();
    s.window.reset();
    EXPECT_LT(timer.elapsed(), 2000);
}

namespace {

// Answers the JPEG quality dialog when it shows: the quality on OK, or Cancel. Counts the showings.
class QualityAnswer : public QObject {
public:
    QualityAnswer(print::TJPEGQForm* dialog, std::optional<int> quality)
        : m_dialog(dialog), m_quality(quality)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            if (!m_dialog->isVisible())
                return;
            ++shown;
            if (m_quality) {
                m_dialog->QualED2->setValue(*m_quality);
                m_dialog->okButton->click();
            } else {
                m_dialog->cancelButton->click();
            }
        });
        m_timer.start();
    }
    int shown = 0;

private:
    print::TJPEGQForm* m_dialog;
    std::optional<int> m_quality;
    QTimer m_timer;
};

void scanOnce(ScanShell& s)
{
    s.scanItem()->trigger();
    ASSERT_TRUE(s.window->scanning()->isScanning());
    ASSERT_TRUE(s.waitUntilIdle());
}

}  // namespace

TEST(ScanController, SavedWithTheEntrysExtensionAfterTheQualityDialog)
{
    SaneTestBackend backend(Options{{"test-picture", "\"Color pattern\""}}, 1);
    ScanShell s;
    QTemporaryDir dir;
    {
        QualityAnswer quality(s.window->jpegQualityDialog(), 30);
        s.ask.saveChoices = {{dir.filePath("scan"), 6}};
        scanOnce(s);
        EXPECT_EQ(quality.shown, 1);
    }
    ASSERT_EQ(s.ask.saveRequests.size(), 1u);
    EXPECT_EQ(s.ask.saveRequests[0].caption, "");
    EXPECT_EQ(s.ask.saveRequests[0].filter, imaging::GetDIBSaveFilter());
    EXPECT_EQ(s.ask.saveRequests[0].folder, s.home.path() + "/");
    // ".JPG" added, written as JPEG (format code 8).
    const auto decoded =
        vellamo::testing::runNetpbm("jpegtopnm", {}, vellamo::testing::readFile(dir.filePath("scan.JPG")));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(vellamo::testing::parsePnm(*decoded).size(), QSize(314, 393));  // 80 x 100 mm at 100 dpi
    EXPECT_EQ(s.window->jpegQualityDialog()->QualED1->value(), 30);

    // A typed extension of an entry chooses that entry, whatever the box shows: PNG, without
    // the quality question.
    {
        QualityAnswer quality(s.window->jpegQualityDialog(), 50);
        s.ask.saveChoices = {{dir.filePath("again.png"), 1}};
        scanOnce(s);
        EXPECT_EQ(quality.shown, 0);
    }
    ASSERT_EQ(s.ask.saveRequests.size(), 2u);
    EXPECT_EQ(s.ask.saveRequests[1].folder, dir.filePath("scan.JPG"));  // the last use
    EXPECT_EQ(s.ask.saveRequests[1].filterIndex, 6);
    EXPECT_EQ(vellamo::testing::readFile(dir.filePath("again.png")).left(4), "\x89PNG");
    EXPECT_FALSE(QFile::exists(dir.filePath("again.png.BMP")));
    EXPECT_TRUE(s.ask.messages.empty());
}

TEST(ScanController, ReadOnlyTargetsCancelledQualityAndFailedWrites)
{
    SaneTestBackend backend(Options{{"test-picture", "\"Grid\""}}, 1);
    ScanShell s;
    QTemporaryDir dir;
    const QString readOnly = dir.filePath("old.bmp");
    vellamo::testing::writeFile(readOnly, "old");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    s.ask.saveChoices = {{readOnly, 1}};
    scanOnce(s);
    EXPECT_EQ(vellamo::testing::readFile(readOnly).left(2), "BM");
    EXPECT_TRUE(s.ask.messages.empty());

    {
        QualityAnswer quality(s.window->jpegQualityDialog(), std::nullopt);
        s.ask.saveChoices = {{dir.filePath("dropped"), 5}};
        scanOnce(s);
        EXPECT_EQ(quality.shown, 1);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("dropped.JIF")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.bmp"});
    EXPECT_TRUE(s.ask.messages.empty());

    s.ask.saveChoices = {{dir.filePath("missing/folder/x"), 1}};
    scanOnce(s);
    ASSERT_EQ(s.ask.messages.size(), 1u);
    EXPECT_EQ(s.ask.messages[0].text, "Error: File could not be saved!");
    EXPECT_EQ(s.ask.messages[0].icon, document::MessageIcon::Information);

    // A cancelled save dialog: nothing written, nothing said.
    scanOnce(s);
    EXPECT_EQ(s.ask.messages.size(), 1u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.bmp"});
}

TEST(ScannerSelection, TheSavedChoiceWhileListedOtherwiseTheOnlyOne)
{
    const scanning::ScannerDevice a{"test:0", "Noname", "frontend-tester", "virtual device"};
    const scanning::ScannerDevice b{"test:1", "", "", ""};
    EXPECT_EQ(app::scannerWithoutAsking({a, b}, "test:1"), QString("test:1"));
    EXPECT_EQ(app::scannerWithoutAsking({a, b}, "gone:0"), std::nullopt);  // the user chooses again
    EXPECT_EQ(app::scannerWithoutAsking({a, b}, ""), std::nullopt);
    EXPECT_EQ(app::scannerWithoutAsking({b}, "gone:0"), QString("test:1"));
    EXPECT_EQ(app::scannerWithoutAsking({}, "test:0"), std::nullopt);
}
