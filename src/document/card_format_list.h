#pragma once

// The user's list of card formats in "Visiten.dat", and what the list dialog does with it,
// apart from its widgets.

#include "document/card_format.h"
#include "document/prompter.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace vellamo::document {

inline const QString CardFormatListFileName = QStringLiteral("Visiten.dat");
inline constexpr std::int32_t CardFormatListMagic = 64687;

QByteArray cardFormatListToBytes(const std::vector<CardFormat>& entries);
// Nothing for data without the magic or with a negative count. A count larger than the
// records present keeps the complete records. Records come back exactly as stored, values the
// program cannot use included: they are made usable only where one becomes the current format
// or is confirmed in the edit dialog, so a list that is only looked at is written back unchanged.
std::optional<std::vector<CardFormat>> cardFormatListFromBytes(const QByteArray& bytes);

// A list file as read: the complete records, and whether the data was less than a whole list.
struct CardFormatListFile {
    std::vector<CardFormat> entries;
    bool damaged = false;
    // The count the data states; -1 when there is no list to state one.
    std::int32_t statedCount = -1;
};
CardFormatListFile readCardFormatList(const QByteArray& bytes);

class CardFormatList {
public:
    std::vector<CardFormat> entries;

    // A file that cannot be opened or is not a list leaves the entries as they are.
    void LoadEttTypes(const QString& path);
    // Failures are silent: the list is simply not kept.
    bool SaveEttTypes(const QString& path) const;
    void FreeEttTypes() { entries.clear(); }
};

// The edit dialog's fields: lengths in inches, counts as the spin edits hold them. The first
// card size is the default card's 90 x 55 mm, shown in inches like every other length.
struct CardFormatDialogValues {
    QString NameED = QStringLiteral("No name");
    double RLED = 0;
    double ROED = 0;
    double BrED = 90 / 25.39995;
    double HoED = 55 / 25.39995;
    double AHED = 0;
    double AVED = 0;
    double AnzHED = 2;
    double AnzVED = 5;
};

// What keeps the values from making a card format, as a sentence naming the field: an empty
// name, a card width or height of 0 or less, a card larger than its pitch (a negative space
// between the cards), or a number of cards outside 1..50. Nothing when they are fine.
std::optional<QString> cardFormatValuesProblem(const CardFormatDialogValues& values);

// The same layout and name; what the record holds behind the name does not count.
bool sameCardFormat(const CardFormat& a, const CardFormat& b);

CardFormatDialogValues recordToDialog(const CardFormat& format);
// Writes the fields into `format` (the name cut to 50 bytes); what lies behind the name in the
// record stays. The result is made usable as usableCardFormat says (a card of 0 mm gets 1 mm).
void dialogToRecord(const CardFormatDialogValues& values, CardFormat& format);

// The edit dialog as the list logic uses it; it keeps its values between uses.
class CardFormatEditor {
public:
    virtual ~CardFormatEditor() = default;
    virtual CardFormatDialogValues values() const = 0;
    virtual void setValues(const CardFormatDialogValues& values) = 0;
    // Shows the dialog modally; true when closed with OK.
    virtual bool run() = 0;
};

// The list dialog's behaviour. The widget shows `entries()` and `selected()` and calls the
// handlers; the list lives only between show() and close().
// The stock chooser as the list logic uses it.
class CardStockChooser {
public:
    virtual ~CardStockChooser() = default;
    // The stock the user picked, as a card format; nothing when cancelled.
    virtual std::optional<CardFormat> chooseStock() = 0;
};

class CardFormatListLogic {
public:
    CardFormatListLogic(QString listPath, CardFormatEditor& editor, Prompter& ask);

    // A list file that does not exist yet starts the list with the shipped stocks; an
    // existing one, even empty, is read as it is.
    void show();
    const std::vector<CardFormat>& entries() const { return m_list.entries; }
    // -1 for none.
    int selected() const { return m_selected; }
    void select(int index);
    // Selects the first entry that is `format` (sameCardFormat); false, with the selection
    // unchanged, when there is none.
    bool selectEntry(const CardFormat& format);

    void newClicked();
    void changeClicked();
    void deleteClicked();
    // Selects the chosen stock, appending it unless the list already holds it.
    void stocksClicked(CardStockChooser& chooser);
    // Copies the selected entry into `current` and saves the list; false (after the error
    // message) when nothing is selected, and the dialog stays open.
    bool okClicked(CardFormat& current);
    // Every way of closing ends here: the list is saved when it was changed, then released.
    // A list that could not be saved stays for the next show, which tries again.
    void close();

private:
    // Writes the list when it differs from what was read, merged with what another program
    // wrote since; false (after the message) when it could not be written.
    bool save();

    QString m_path;
    CardFormatEditor& m_editor;
    Prompter& m_ask;
    CardFormatList m_list;
    int m_selected = -1;
    // What the file held when it was read or last written; none when there was no file.
    std::optional<std::vector<CardFormat>> m_baseline;
    bool m_unsaved = false;
    bool m_saveFailedSinceShow = false;
    // The damaged file last reported, so that it is told once.
    QByteArray m_reportedDamage;
};

}  // namespace vellamo::document
