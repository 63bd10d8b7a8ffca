#pragma once

// SANE's own `test` backend as the scanner of a test: a private configuration folder with a
// dll.conf naming only `test` and a test.conf with the options the test asks for, reached
// through SANE_CONFIG_DIR. SANE reads that variable once per process, so the folder is one per
// process and each object rewrites its files; SANE reads them again at its next start.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace vellamo::testing {

class SaneTestBackend {
public:
    // `options` are lines of test.conf ("test-picture", "\"Grid\""); the backend's own
    // defaults hold for the rest. `devices` is how many test devices SANE lists.
    explicit SaneTestBackend(const std::map<std::string, std::string>& options = {}, int devices = 2)
    {
        write(QStringLiteral("dll.conf"), devices > 0 ? "test\n" : "");
        QByteArray conf = "number_of_devices " + QByteArray::number(std::max(devices, 1)) + "\n";
        for (const auto& [key, value] : options)
            conf += QByteArray::fromStdString(key + " " + value + "\n");
        write(QStringLiteral("test.conf"), conf);
    }
    SaneTestBackend(const SaneTestBackend&) = delete;
    SaneTestBackend& operator=(const SaneTestBackend&) = delete;

    QString folder() const { return dir().path(); }

    // The same scan by SANE's own command-line front end, as PNM bytes; empty on failure.
    QByteArray scanimage(const QStringList& args) const
    {
        QProcess p;
        p.start(QStringLiteral("scanimage"), QStringList{"--format=pnm"} + args);
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            return {};
        return p.readAllStandardOutput();
    }

private:
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir().filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static QTemporaryDir& dir()
    {
        static QTemporaryDir folder;
        static const bool pointed = qputenv("SANE_CONFIG_DIR", folder.path().toLocal8Bit());
        Q_UNUSED(pointed);
        return folder;
    }
};

}  // namespace vellamo::testing
