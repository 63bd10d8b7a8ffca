#pragma once

// The business-card sheet stocks shipped with the program (data/card-stocks.csv), as card
// formats: the list a first start begins with, and what the stock chooser offers.

#include "document/card_format.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace vellamo::document {

struct CardStock {
    QString brand;
    QString part;
    // Other part numbers of the same sheet, separated by spaces.
    QString equivalentParts;
    QString description;
    // "A4", "US-Letter", "A3", ...
    QString paper;
    double paperWidth = 0;
    double paperHeight = 0;
    double cardWidth = 0;
    double cardHeight = 0;
    double marginLeft = 0;
    double marginTop = 0;
    double pitchX = 0;
    double pitchY = 0;
    int columns = 0;
    int rows = 0;
};

// The rows of the stock table (a header row, then one stock a row, comma separated). Rows whose
// numbers do not read or give no card are left out; `badRows`, when given, counts them.
std::vector<CardStock> parseCardStocks(const QByteArray& csv, int* badRows = nullptr);

// A4 first, then US Letter, then the other papers by name; within a paper by brand, then by
// part with the numbers in the part compared as numbers.
void sortCardStocks(std::vector<CardStock>& stocks);

// "Avery 5371 US Letter 2x5": brand, part, paper and layout, at most 50 characters.
QString cardStockName(const CardStock& stock);

// The stock as a card format record, named by cardStockName.
CardFormat cardStockFormat(const CardStock& stock);

// The program's own stock table, sorted; empty only if the program was built without it.
const std::vector<CardStock>& shippedCardStocks();
std::vector<CardFormat> shippedCardFormats();

// Whether every word of `filter` occurs, ignoring case, in the stock's brand, parts, paper,
// description or card size ("85x54", "85 x 54", also rounded to whole millimetres).
bool stockMatches(const CardStock& stock, const QString& filter);

}  // namespace vellamo::document
