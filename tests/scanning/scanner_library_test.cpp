#include "scanning/scanner_library.h"

#include "support/sane_test_backend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace vellamo::scanning;
using vellamo::testing::SaneTestBackend;
using Options = std::map<std::string, std::string>;

namespace {

// Receives what the library posts, as the main window would.
class Receiver : public QObject {
public:
    std::vector<int> progress;
    std::optional<ScanHandle> finished;
    std::function<void(int)> onProgress;

    bool event(QEvent* e) override
    {
        if (e->type() == ScanProgressEvent::eventType()) {
            progress.push_back(static_cast<ScanProgressEvent*>(e)->percent());
            if (onProgress)
                onProgress(progress.back());
            return true;
        }
        if (e->type() == ScanFinishedEvent::eventType()) {
            finished = static_cast<ScanFinishedEvent*>(e)->handle();
            return true;
        }
        return QObject::event(e);
    }

    bool waitForFinish(int ms = 30000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!finished && timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return finished.has_value();
    }
};

}  // namespace

TEST(ScannerLibrary, ScanOnItsOwnThreadPostsProgressAndThePicture)
{
    SaneTestBackend backend(
        Options{{"test-picture", "\"Grid\""}, {"read-limit", "true"}, {"read-limit-size", "8192"}});
    ScannerLibrary library;
    Receiver receiver;
    ASSERT_TRUE(library.TWAIN_ScanImage(&receiver, "test:0", {ScanColour::Colour, 100}));
    EXPECT_TRUE(library.isScanning());
    EXPECT_FALSE(library.TWAIN_ScanImage(&receiver, "test:0"));  // one scan at a time
    ASSERT_TRUE(receiver.waitForFinish());
    EXPECT_FALSE(library.isScanning());
    ASSERT_GT(receiver.progress.size(), 2u);
    EXPECT_EQ(receiver.progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(receiver.progress.begin(), receiver.progress.end()));

    vellamo::imaging::DibRecord picture = GetScanedDib(*receiver.finished);
    ASSERT_TRUE(picture.isLoaded());
    EXPECT_EQ(picture.bitsPerPixel(), 24);
    EXPECT_EQ(picture.width(), 314);                            // 80 mm at 100 dpi
    EXPECT_FALSE(GetScanedDib(*receiver.finished).isLoaded());  // the picture was handed over
}

TEST(ScannerLibrary, CancelMidScanLeavesNoPictureAndNoThread)
{
    // About two seconds of scanning: 4 KB pieces, each after 10 ms.
    SaneTestBackend backend(Options{{"read-limit", "true"},
                                    {"read-limit-size", "4096"},
                                    {"read-delay", "true"},
                                    {"read-delay-duration", "10000"}});
    ScannerLibrary library;
    Receiver receiver;
    receiver.onProgress = [&](int p) {
        if (p > 0)
            library.cancel();
    };
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(library.TWAIN_ScanImage(&receiver, "test:0", {ScanColour::Colour, 100}));
    ASSERT_TRUE(receiver.waitForFinish());
    EXPECT_LT(timer.elapsed(), 1500);
    EXPECT_EQ((*receiver.finished)->status, ScanStatus::Cancelled);
    EXPECT_FALSE(GetScanedDib(*receiver.finished).isLoaded());
    EXPECT_FALSE(library.isScanning());
    library.wait();  // returns: the worker has ended

    // The library scans again after a cancel.
    SaneTestBackend quick;
    receiver.finished.reset();
    receiver.onProgress = {};
    ASSERT_TRUE(library.TWAIN_ScanImage(&receiver, "test:1", {ScanColour::Grey, 50}));
    ASSERT_TRUE(receiver.waitForFinish());
    EXPECT_TRUE(GetScanedDib(*receiver.finished).isLoaded());
}

TEST(ScannerLibrary, DestroyingTheLibraryStopsItsScan)
{
    SaneTestBackend backend(Options{{"read-limit", "true"},
                                    {"read-limit-size", "4096"},
                                    {"read-delay", "true"},
                                    {"read-delay-duration", "10000"}});
    Receiver receiver;
    QElapsedTimer timer;
    timer.start();
    {
        ScannerLibrary library;
        ASSERT_TRUE(library.TWAIN_ScanImage(&receiver, "test:0", {ScanColour::Colour, 100}));
    }
    EXPECT_LT(timer.elapsed(), 1500);
    QCoreApplication::processEvents();
    ASSERT_TRUE(receiver.finished.has_value());
    EXPECT_EQ((*receiver.finished)->status, ScanStatus::Cancelled);
}
