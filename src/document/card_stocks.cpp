#include "document/card_stocks.h"

#include "document/ansi_text.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <cmath>

namespace vellamo::document {

namespace {

constexpr int StockColumnCount = 15;

// The table has no quoted fields; a comma always separates.
QStringList csvCells(const QString& line) { return line.split(u','); }

bool readNumber(const QString& text, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) && value >= 0;
}

int paperRank(const QString& paper)
{
    if (paper.compare(u"A4", Qt::CaseInsensitive) == 0)
        return 0;
    if (paper.compare(u"US-Letter", Qt::CaseInsensitive) == 0)
        return 1;
    return 2;
}

// Compares digit runs by value, everything else without regard to case.
int naturalCompare(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            const QString na = a.mid(i, ei - i), nb = b.mid(j, ej - j);
            // Leading zeros do not count; a longer run of digits is the larger number.
            QString sa = na, sb = nb;
            while (sa.size() > 1 && sa.front() == u'0')
                sa.remove(0, 1);
            while (sb.size() > 1 && sb.front() == u'0')
                sb.remove(0, 1);
            if (sa.size() != sb.size())
                return sa.size() < sb.size() ? -1 : 1;
            if (const int c = sa.compare(sb); c != 0)
                return c;
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a[i].toLower(), cb = b[j].toLower();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

QString millimetres(double mm) { return QString::number(mm, 'g', 8); }

}  // namespace

std::vector<CardStock> parseCardStocks(const QByteArray& csv, int* badRows)
{
    std::vector<CardStock> stocks;
    int bad = 0;
    const QStringList lines = QString::fromUtf8(csv).split(u'\n');
    bool header = true;
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList cells = csvCells(line);
        if (cells.size() != StockColumnCount) {
            ++bad;
            continue;
        }
        CardStock s;
        s.brand = cells[0].trimmed();
        s.part = cells[1].trimmed();
        s.equivalentParts = cells[2].trimmed();
        s.description = cells[3].trimmed();
        s.paper = cells[4].trimmed();
        bool ok = readNumber(cells[5], s.paperWidth) && readNumber(cells[6], s.paperHeight) &&
                  readNumber(cells[7], s.cardWidth) && readNumber(cells[8], s.cardHeight) &&
                  readNumber(cells[9], s.marginLeft) && readNumber(cells[10], s.marginTop) &&
                  readNumber(cells[11], s.pitchX) && readNumber(cells[12], s.pitchY);
        bool columnsOk = false, rowsOk = false;
        s.columns = cells[13].trimmed().toInt(&columnsOk);
        s.rows = cells[14].trimmed().toInt(&rowsOk);
        ok = ok && columnsOk && rowsOk;
        if (!ok || s.cardWidth <= 0 || s.cardHeight <= 0 || s.columns < 1 || s.rows < 1) {
            ++bad;
            continue;
        }
        stocks.push_back(s);
    }
    if (badRows)
        *badRows = bad;
    return stocks;
}

void sortCardStocks(std::vector<CardStock>& stocks)
{
    std::stable_sort(stocks.begin(), stocks.end(), [](const CardStock& a, const CardStock& b) {
        if (const int ra = paperRank(a.paper), rb = paperRank(b.paper); ra != rb)
            return ra < rb;
        if (const int c = a.paper.compare(b.paper, Qt::CaseInsensitive); c != 0)
            return c < 0;
        if (const int c = a.brand.compare(b.brand, Qt::CaseInsensitive); c != 0)
            return c < 0;
        return naturalCompare(a.part, b.part) < 0;
    });
}

QString cardStockName(const CardStock& stock)
{
    QString paper = stock.paper;
    paper.replace(u'-', u' ');
    const QString name = QStringLiteral("%1 %2 %3 %4x%5")
                             .arg(stock.brand, stock.part, paper)
                             .arg(stock.columns)
                             .arg(stock.rows);
    return name.left(CardFormatNameLength);
}

CardFormat cardStockFormat(const CardStock& stock)
{
    CardFormat format;
    format.MarginLeft = stock.marginLeft;
    format.MarginTop = stock.marginTop;
    format.PitchX = stock.pitchX;
    format.PitchY = stock.pitchY;
    format.CardWidth = stock.cardWidth;
    format.CardHeight = stock.cardHeight;
    format.Columns = stock.columns;
    format.Rows = stock.rows;
    setCardFormatName(format, toAnsi(cardStockName(stock)));
    return usableCardFormat(format);
}

const std::vector<CardStock>& shippedCardStocks()
{
    static const std::vector<CardStock> stocks = [] {
        QFile file(QStringLiteral(":/data/card-stocks.csv"));
        std::vector<CardStock> read;
        if (file.open(QIODevice::ReadOnly))
            read = parseCardStocks(file.readAll());
        sortCardStocks(read);
        return read;
    }();
    return stocks;
}

std::vector<CardFormat> shippedCardFormats()
{
    std::vector<CardFormat> formats;
    for (const CardStock& stock : shippedCardStocks())
        formats.push_back(cardStockFormat(stock));
    return formats;
}

bool stockMatches(const CardStock& stock, const QString& filter)
{
    const QString size = millimetres(stock.cardWidth) + u'x' + millimetres(stock.cardHeight);
    const QString rounded =
        QString::number(std::lround(stock.cardWidth)) + u'x' + QString::number(std::lround(stock.cardHeight));
    const QString haystack = QStringList{stock.brand,
                                         stock.part,
                                         stock.equivalentParts,
                                         stock.paper,
                                         QString(stock.paper).replace(u'-', u' '),
                                         stock.description,
                                         size,
                                         rounded,
                                         QString(size).replace(QStringLiteral("x"), QStringLiteral(" x ")),
                                         QString(rounded).replace(QStringLiteral("x"), QStringLiteral(" x ")),
                                         cardStockName(stock)}
                                 .join(u'|');
    // "85 x 54" typed with spaces is one size, not three words.
    QString normalised = filter.simplified();
    normalised.replace(QStringLiteral(" x "), QStringLiteral("x"));
    const QString compact = QString(haystack).remove(u' ');
    for (const QString& word : normalised.split(u' ', Qt::SkipEmptyParts)) {
        if (!haystack.contains(word, Qt::CaseInsensitive) && !compact.contains(word, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

}  // namespace vellamo::document
