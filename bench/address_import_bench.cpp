// Importing addresses: peak memory of a CSV of a million short rows and of a realistic one,
// reported as counters in MB above what the process held before and per MB of file (the
// import must stay within a small multiple of the file's size), and the time of a row of
// 250,000 cells that no field takes (linear in the cells).

#include "addressbook/address_book.h"
#include "addressbook/address_exchange.h"
#include "peak_memory.h"
#include "support_prompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

using namespace vellamo;
using vellamo::bench::resetPeak;
using vellamo::bench::statusField;

namespace {

QString writeCsv(const QTemporaryDir& dir, const QByteArray& header, int rows,
                 const std::function<QByteArray(int)>& row)
{
    const QString path = dir.filePath("addresses.csv");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(header);
    QByteArray piece;
    for (int k = 0; k < rows; ++k) {
        piece += row(k);
        if (piece.size() > (1 << 20)) {
            file.write(piece);
            piece.clear();
        }
    }
    file.write(piece);
    return path;
}

// Imports into a book as the Addresses page does, without the column chooser.
void measureImport(benchmark::State& state, const QString& path)
{
    const double fileMB = double(QFile(path).size()) / (1 << 20);
    double peakMB = 0;
    int imported = 0;
    for (auto _ : state) {
        resetPeak();
        const long before = statusField("VmRSS:");
        {
            bench::SilentPrompter ask;
            addressbook::AddressBook book;
            auto records = addressbook::importAddressFile(path, ask, nullptr);
            if (records)
                book.appendRecords(std::move(*records));
            imported = book.count();
            peakMB = std::max(peakMB, double(statusField("VmHWM:") - before) / 1024);
        }
    }
    state.counters["rows"] = imported;
    state.counters["file_MB"] = fileMB;
    state.counters["peak_MB"] = peakMB;
    state.counters["peak_per_file"] = peakMB / fileMB;
}

void ImportMillionShortCsvRows(benchmark::State& state)
{
    QTemporaryDir dir;
    measureImport(state, writeCsv(dir, "First Name\n", 1000000, [](int) { return QByteArray("Anna\n"); }));
}
BENCHMARK(ImportMillionShortCsvRows)->Unit(benchmark::kMillisecond)->Iterations(1);

void ImportMillionRealisticCsvRows(benchmark::State& state)
{
    QTemporaryDir dir;
    measureImport(
        state, writeCsv(dir, "First Name,Last Name,Street,Zip,City,Email private\n", 1000000, [](int k) {
            const QByteArray n = QByteArray::number(k);
            return "Anna" + n + ",Berg,Long Street " + n + ",12345,Hamburg,anna" + n + "@example.org\n";
        }));
}
BENCHMARK(ImportMillionRealisticCsvRows)->Unit(benchmark::kMillisecond)->Iterations(1);

void ImportRowOfQuarterMillionUnplacedCells(benchmark::State& state)
{
    QTemporaryDir dir;
    QByteArray header = "First Name";
    QByteArray row = "Anna";
    for (int c = 0; c < 250000; ++c) {
        header += ",x" + QByteArray::number(c);
        row += ",v";
    }
    const QString path = writeCsv(dir, header + '\n', 1, [&](int) { return row + '\n'; });
    for (auto _ : state) {
        bench::SilentPrompter ask;
        benchmark::DoNotOptimize(addressbook::importAddressFile(path, ask, nullptr));
    }
}
BENCHMARK(ImportRowOfQuarterMillionUnplacedCells)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
