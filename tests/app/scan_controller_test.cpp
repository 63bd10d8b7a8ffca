#include "app/scan_controller.h"

#include "app/main_window.h"
#include "app/scanner_dialog.h"
#include "app/settings.h"
#include "support/sane_test_backend.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_prompter.h"

#include <QAction>
#include <QProgressBar>
#include <QSettings>
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
