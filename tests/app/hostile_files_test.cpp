// Files from someone else, through the command line: FIFOs and devices where a file belongs,
// endless or huge files, and pictures that declare gigapixels in a few kilobytes. Each case runs
// the program in a child process with a time limit and, outside sanitizer builds (which need
// the address space for themselves), a memory limit, so that a hang or a 2 GB allocation fails
// the test instead of stopping the suite.

#include "document/card_file.h"

#include "support/files.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vellamo;
using vellamo::testing::readFile;
using vellamo::testing::writeFile;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif

// Room for the program itself and the pictures a card may hold (512 MB), far below what the
// hostile files would take without their bounds (2 GB and more).
constexpr rlim_t AddressSpaceLimit = rlim_t(1536) << 20;

struct ChildRun {
    bool finished = false;  // within the time limit, by itself
    int status = -1;
    QString err;
};

ChildRun runVellamo(const QString& home, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    if (!Sanitized) {
        p.setChildProcessModifier([] {
            const rlimit limit{AddressSpaceLimit, AddressSpaceLimit};
            ::setrlimit(RLIMIT_AS, &limit);
        });
    }
    p.start(QStringLiteral(VELLAMO_EXECUTABLE), QStringList{"--home", home} + args);
    const bool finished = p.waitForFinished(60000);
    if (!finished) {
        p.kill();
        p.waitForFinished();
    }
    return {finished && p.exitStatus() == QProcess::NormalExit, p.exitCode(),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

bool isFifo(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

QString makeFifo(const QTemporaryDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

// A card with a picture object for each of `pictures`, the first one also as background.
QByteArray cardWithPictures(const QStringList& pictures)
{
    document::CardDocument doc;
    int slot = 1;
    for (const QString& picture : pictures) {
        document::Tobs& o = doc.object(slot++);
        o.Kind = document::PictureObject;
        o.PictureFile() = picture.toStdString();
        o.Left = doc.CardExtentX / 3;
        o.Top = doc.CardExtentY / 3;
        o.Width = 20000;
        o.Height = 10000;
    }
    if (!pictures.isEmpty()) {
        doc.BackgroundMode = document::StretchToCard;
        doc.BackgroundFile = pictures.front().toStdString();
    }
    return document::cardToBytes(doc);
}

// A JPEG of `width` x `height` pixels in a few tens of kilobytes: a small picture whose frame
// header claims the size, padded by a comment so that the file could hold such a picture.
QByteArray jpegBomb(int width, int height)
{
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(small.save(&buffer, "JPEG"));
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    EXPECT_GT(frame, 0);
    bytes[frame + 5] = char(height >> 8);
    bytes[frame + 6] = char(height & 0xFF);
    bytes[frame + 7] = char(width >> 8);
    bytes[frame + 8] = char(width & 0xFF);
    QByteArray comment("\xFF\xFE\xFF\xF0", 4);
    comment += QByteArray(0xFFF0 - 2, 'x');
    bytes.insert(2, comment);
    return bytes;
}

}  // namespace

TEST(HostileFiles, SpecialFilesAreNeverReplaced)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("card.vis"), cardWithPictures({}));
    writeFile(dir.filePath("card.json"), "{}");

    const QString cardFifo = makeFifo(dir, "out.vis");
    ChildRun r = runVellamo(dir.path(), {"build", dir.filePath("card.json"), cardFifo});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Error: Could not create file!") && r.err.contains("not a regular file"))
        << r.err.toStdString();
    EXPECT_TRUE(isFifo(cardFifo));

    const QString pictureFifo = makeFifo(dir, "out.png");
    r = runVellamo(dir.path(), {"export", dir.filePath("card.vis"), pictureFifo});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Error: File could not be saved!") && r.err.contains("not a regular file"))
        << r.err.toStdString();
    EXPECT_TRUE(isFifo(pictureFifo));

    const QString addressFifo = makeFifo(dir, "out.vcf");
    r = runVellamo(dir.path(), {"addresses", "export", addressFifo});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("not a regular file")) << r.err.toStdString();
    EXPECT_TRUE(isFifo(addressFifo));

    const QString pdfFifo = makeFifo(dir, "out.pdf");
    r = runVellamo(dir.path(), {"print", dir.filePath("card.vis"), "--pdf", pdfFifo});
    ASSERT_TRUE(r.finished) << "opening a FIFO to write waits for a reader";
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("not a regular file")) << r.err.toStdString();
    EXPECT_TRUE(isFifo(pdfFifo));
}

TEST(HostileFiles, FifosDevicesAndHugeFilesAreNotRead)
{
    QTemporaryDir dir;
    const QString fifo = makeFifo(dir, "fifo");
    // A sparse 2 GB file: no disk space, but reading it whole would take 2 GB of memory.
    const QString huge = dir.filePath("huge.vis");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(document::cardToBytes(document::CardDocument()).left(document::CardSignatureSize));
        ASSERT_TRUE(file.resize(qint64(2) << 30));
    }
    for (const QString& card : {fifo, QStringLiteral("/dev/zero"), huge}) {
        const ChildRun r = runVellamo(dir.path(), {"dump", card});
        ASSERT_TRUE(r.finished) << card.toStdString();
        EXPECT_EQ(r.status, 1) << card.toStdString();
        EXPECT_TRUE(r.err.contains("Error: Could not open file!")) << r.err.toStdString();
    }
    ChildRun r = runVellamo(dir.path(), {"build", fifo, dir.filePath("out.vis")});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Error: Could not open file!")) << r.err.toStdString();

    // A card (with its background) whose pictures are a FIFO, endless devices and a huge file
    // opens with the picture message for each, and is exported all the same.
    const QString hugePicture = dir.filePath("huge.bmp");
    {
        QFile file(hugePicture);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM");
        ASSERT_TRUE(file.resize(qint64(2) << 30));
    }
    const QStringList pictures{fifo, "/dev/zero", "/dev/urandom", hugePicture};
    writeFile(dir.filePath("card.vis"), cardWithPictures(pictures));
    r = runVellamo(dir.path(), {"export", dir.filePath("card.vis"), dir.filePath("out.png")});
    ASSERT_TRUE(r.finished) << r.err.toStdString();
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    for (const QString& picture : pictures)
        EXPECT_TRUE(r.err.contains("Could not open picture (" + picture + ").")) << r.err.toStdString();
    EXPECT_FALSE(QImage(dir.filePath("out.png")).isNull());
}

TEST(HostileFiles, PicturesDeclaringGigapixelsStayWithinTheirBudget)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("bomb.jpg"), jpegBomb(16384, 16384));
    // Eight of them: scaled to 8192 x 8192 (256 MB) each, two fill the card's budget.
    writeFile(dir.filePath("card.vis"), cardWithPictures(QStringList(8, dir.filePath("bomb.jpg"))));
    const ChildRun r = runVellamo(dir.path(), {"export", dir.filePath("card.vis"), dir.filePath("out.png")});
    ASSERT_TRUE(r.finished) << r.err.toStdString();
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.count("Could not open picture (" + dir.filePath("bomb.jpg") + ")."), 7)
        << "the background and the first picture take the budget" << r.err.toStdString();
    EXPECT_FALSE(QImage(dir.filePath("out.png")).isNull());
}

// A FIFO put in the program folder in place of the address book is neither waited on nor
// replaced by the commands that read or change the book.
TEST(HostileFiles, AFifoInPlaceOfTheAddressBookIsNotRead)
{
    QTemporaryDir home;
    const QString book = makeFifo(home, "AdrDB.dat");
    writeFile(home.filePath("in.csv"), "First Name,Last Name\nAnna,Berg\n");
    for (const QStringList& args : {QStringList{"addresses", "import", home.filePath("in.csv")},
                                    QStringList{"addresses", "export", home.filePath("out.vcf")}}) {
        const ChildRun r = runVellamo(home.path(), args);
        ASSERT_TRUE(r.finished) << args.join(' ').toStdString();
        EXPECT_TRUE(isFifo(book) || isFifo(book + ".damaged")) << "the FIFO is only ever renamed";
    }
}
