#pragma once

// A CUPS scheduler of the test's own: started as the test user in a temporary folder (its own
// ServerRoot, spool and logs, a free port on 127.0.0.1), with one queue whose device is a file,
// reached through CUPS_SERVER and stopped at the end. Nothing system-wide is touched.
//
// The queue is an A4/Letter printer whose printable area starts 18 points from the paper's
// top-left corner; its one filter hands the job's PDF on unchanged, so the file holds exactly
// what the program sent.

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace vellamo::testing {

// The printable area's corner in pixels from the paper's at `dpi`.
inline int queuePrintableOffset(int dpi) { return 18 * dpi / 72; }

class PrivateCupsd {
public:
    PrivateCupsd() = default;
    ~PrivateCupsd() { stop(); }
    PrivateCupsd(const PrivateCupsd&) = delete;
    PrivateCupsd& operator=(const PrivateCupsd&) = delete;

    // False, with the reason, when cupsd is missing or does not come up.
    bool start(QString& why);
    void stop();

    // "127.0.0.1:PORT", for CUPS_SERVER.
    QString server() const { return m_server; }
    QString queue() const { return QStringLiteral("vellamo-test"); }
    // The data of the last job the queue printed.
    QString outputFile() const;

    // Waits until `count` jobs have completed on the queue; their titles, newest last.
    QStringList waitForCompletedJobs(int count, int milliseconds = 20000) const;
    // Runs a CUPS command-line tool against this scheduler.
    bool run(const QString& program, const QStringList& args) const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_cupsd;
    QString m_server;
};

// Rasterises `area` (in pixels from the paper's corner) of page `page` (1-based) of a PDF with
// poppler's pdftoppm, without antialiasing; pixel (0, 0) of the result is the area's corner.
QImage rasterisePdfArea(const QString& pdf, int page, int dpi, QRect area);
// The number of pages poppler finds in a PDF, -1 when it cannot tell.
int pdfPageCount(const QString& pdf);

}  // namespace vellamo::testing
