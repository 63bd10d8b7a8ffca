// The address book with 5000 addresses: reading the file into the model and the Addresses
// page's lists, and switching the current address through the page.

#include "addressbook/address_book.h"
#include "addressbook/address_page.h"

#include "support_prompter.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace vellamo::addressbook;

namespace {

constexpr int Addresses = 5000;

QString bookFile()
{
    const QString path = QDir::tempPath() + QStringLiteral("/vellamo_bench_AdrDB.dat");
    std::vector<AddressRecord> records(Addresses);
    for (int k = 0; k < Addresses; ++k) {
        for (int i = 0; i < AddressStringCount; ++i)
            records[std::size_t(k)].strings[std::size_t(i)] =
                "value " + std::to_string(k) + "/" + std::to_string(i);
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(addressBookToBytes(records, {}, 0));
    return path;
}

void BM_LoadFiveThousandAddresses(benchmark::State& state)
{
    const QString path = bookFile();
    vellamo::bench::SilentPrompter ask;
    AddressBook book;
    AddressesPage page(book, {QString(), {}, &ask, nullptr});
    for (auto _ : state) {
        book.LoadAllNames(path);
        book.ChangeAktName(book.currentIndex() == 0 ? 1 : 0);
    }
    state.counters["addresses"] = book.count();
    QFile::remove(path);
}
BENCHMARK(BM_LoadFiveThousandAddresses)->Unit(benchmark::kMillisecond);

void BM_SwitchAddressAmongFiveThousand(benchmark::State& state)
{
    const QString path = bookFile();
    vellamo::bench::SilentPrompter ask;
    AddressBook book;
    AddressesPage page(book, {QString(), {}, &ask, nullptr});
    book.LoadAllNames(path);
    int next = 0;
    for (auto _ : state) {
        next = (next + 2477) % Addresses;
        page.AdrCombo1()->setCurrentIndex(next);
    }
    QFile::remove(path);
}
BENCHMARK(BM_SwitchAddressAmongFiveThousand)->Unit(benchmark::kMillisecond);

}  // namespace
