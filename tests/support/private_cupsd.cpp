#include "support/private_cupsd.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <algorithm>
#include <cups/cups.h>
#include <vector>

namespace vellamo::testing {

namespace {

bool writeText(const QString& path, const QByteArray& text, QFileDevice::Permissions permissions = {})
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        return false;
    f.close();
    return permissions == QFileDevice::Permissions() || f.setPermissions(permissions);
}

const QFileDevice::Permissions Executable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
    QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
const QFileDevice::Permissions Open = Executable | QFileDevice::WriteGroup | QFileDevice::WriteOther;

const char* const Ppd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "VELLTEST.PPD"
*Manufacturer: "Test"
*Product: "(Test)"
*ModelName: "Test file printer"
*ShortNickName: "Test file printer"
*NickName: "Test file printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 vellamo-test-passthrough"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 18 577 824"
*ImageableArea Letter/Letter: "18 18 594 774"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
*OpenUI *Resolution/Resolution: PickOne
*OrderDependency: 10 AnySetup *Resolution
*DefaultResolution: 600dpi
*Resolution 600dpi/600 DPI: "<</HWResolution[600 600]>>setpagedevice"
*CloseUI: *Resolution
)PPD";

int freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

}  // namespace

bool PrivateCupsd::start(QString& why)
{
    const QString cupsd = QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/usr/local/sbin", "/sbin"});
    if (cupsd.isEmpty() || QStandardPaths::findExecutable("lpadmin").isEmpty()) {
        why = "cupsd or lpadmin is not installed";
        return false;
    }
    m_dir = std::make_unique<QTemporaryDir>();
    const QString root = m_dir->path();
    // Filters run as another user when the scheduler runs as root: they must reach the folder.
    QFile::setPermissions(root, Executable);
    for (const char* sub : {"etc", "spool", "cache", "state", "log", "bin", "bin/filter"})
        QDir(root).mkpath(sub);
    for (const char* sub : {"out", "tmp"}) {
        QDir(root).mkpath(sub);
        QFile::setPermissions(root + "/" + sub, Open);
    }
    QFile::setPermissions(root + "/bin", Executable);
    QFile::setPermissions(root + "/bin/filter", Executable);
    // The system's backends and helpers, with one filter of our own.
    for (const char* sub : {"backend", "daemon", "cgi-bin", "monitor", "notifier"})
        QFile::link(QStringLiteral("/usr/lib/cups/") + sub, root + "/bin/" + sub);

    const int port = freePort();
    m_server = QStringLiteral("127.0.0.1:%1").arg(port);
    const QByteArray r = root.toLocal8Bit();
    bool ok = writeText(root + "/etc/cupsd.conf",
                        "Listen " + m_server.toLatin1() +
                            "\nLogLevel warn\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                            "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                            "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
    ok = ok && writeText(root + "/etc/cups-files.conf",
                         "ServerRoot " + r + "/etc\nRequestRoot " + r + "/spool\nCacheDir " + r +
                             "/cache\nStateDir " + r + "/state\nTempDir " + r + "/tmp\nAccessLog " + r +
                             "/log/access_log\nErrorLog " + r + "/log/error_log\nPageLog " + r +
                             "/log/page_log\nPrintcap " + r + "/etc/printcap\nServerBin " + r +
                             "/bin\nFileDevice Yes\n");
    ok =
        ok && writeText(root + "/bin/filter/vellamo-test-passthrough",
                        "#!/bin/sh\nif [ -n \"$6\" ]; then exec cat \"$6\"; else exec cat; fi\n", Executable);
    ok = ok && writeText(root + "/etc/test.ppd", Ppd);
    if (!ok) {
        why = "the scheduler's files could not be written in " + root;
        return false;
    }

    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setWorkingDirectory(root);
    m_cupsd->setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd->start(cupsd, {"-f", "-c", root + "/etc/cupsd.conf", "-s", root + "/etc/cups-files.conf"});
    if (!m_cupsd->waitForStarted(10000)) {
        why = "cupsd did not start: " + m_cupsd->errorString();
        return false;
    }
    QDeadlineTimer deadline(15000);
    bool up = false;
    while (!deadline.hasExpired() && m_cupsd->state() == QProcess::Running) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(port));
        if (socket.waitForConnected(200)) {
            up = true;
            break;
        }
        QThread::msleep(100);
    }
    if (!up) {
        why = "cupsd did not listen: " + QString::fromLocal8Bit(m_cupsd->readAll());
        return false;
    }
    if (!run("lpadmin",
             {"-p", queue(), "-E", "-v", "file://" + outputFile(), "-P", root + "/etc/test.ppd"})) {
        why = "lpadmin could not add the queue";
        return false;
    }
    return true;
}

void PrivateCupsd::stop()
{
    if (m_cupsd && m_cupsd->state() != QProcess::NotRunning) {
        m_cupsd->terminate();
        if (!m_cupsd->waitForFinished(10000)) {
            m_cupsd->kill();
            m_cupsd->waitForFinished(5000);
        }
    }
    m_cupsd.reset();
    m_dir.reset();
}

QString PrivateCupsd::outputFile() const { return m_dir ? m_dir->path() + "/out/job.pdf" : QString(); }

bool PrivateCupsd::run(const QString& program, const QStringList& args) const
{
    QProcess p;
    p.start(program, QStringList{"-h", m_server} + args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QStringList PrivateCupsd::waitForCompletedJobs(int count, int milliseconds) const
{
    QDeadlineTimer deadline(milliseconds);
    QStringList titles;
    const QByteArray name = queue().toLocal8Bit();
    while (true) {
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_COMPLETED);
        std::vector<std::pair<int, QString>> byId;
        for (int i = 0; i < n; ++i)
            byId.emplace_back(jobs[i].id, QString::fromUtf8(jobs[i].title));
        cupsFreeJobs(n, jobs);
        std::sort(byId.begin(), byId.end());
        titles.clear();
        for (const auto& job : byId)
            titles.append(job.second);
        if (titles.size() >= count || deadline.hasExpired())
            return titles;
        QThread::msleep(100);
    }
}

QImage rasterisePdfArea(const QString& pdf, int page, int dpi, QRect area)
{
    QTemporaryDir dir;
    QProcess p;
    p.start("pdftoppm", {"-r",
                         QString::number(dpi),
                         "-f",
                         QString::number(page),
                         "-l",
                         QString::number(page),
                         "-x",
                         QString::number(area.x()),
                         "-y",
                         QString::number(area.y()),
                         "-W",
                         QString::number(area.width()),
                         "-H",
                         QString::number(area.height()),
                         "-aa",
                         "no",
                         "-aaVector",
                         "no",
                         "-singlefile",
                         pdf,
                         dir.filePath("page")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(dir.filePath("page.ppm")).convertToFormat(QImage::Format_RGB32);
}

int pdfPageCount(const QString& pdf)
{
    QProcess p;
    p.start("pdfinfo", {pdf});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    const QRegularExpressionMatch m =
        QRegularExpression("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption)
            .match(QString::fromLocal8Bit(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace vellamo::testing
