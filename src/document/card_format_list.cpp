#include "document/card_format_list.h"

#include "document/ansi_text.h"
#include "document/binary_io.h"
#include "document/card_stocks.h"
#include "document/shared_file.h"
#include "document/units.h"
#include "imaging/regular_file.h"
#include "imaging/safe_file_write.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace vellamo::document {

QByteArray cardFormatListToBytes(const std::vector<CardFormat>& entries)
{
    QByteArray bytes;
    bytes.reserve(8 + qsizetype(entries.size()) * CardFormatRecordSize);
    appendInt32(bytes, CardFormatListMagic);
    appendInt32(bytes, std::int32_t(entries.size()));
    for (const CardFormat& format : entries)
        bytes.append(cardFormatToBytes(format));
    return bytes;
}

std::optional<std::vector<CardFormat>> cardFormatListFromBytes(const QByteArray& bytes)
{
    ByteReader in(bytes);
    const auto magic = in.int32();
    if (!magic || *magic != CardFormatListMagic)
        return std::nullopt;
    const auto count = in.int32();
    if (!count || *count < 0)
        return std::nullopt;
    const qsizetype present = in.remaining() / CardFormatRecordSize;
    const qsizetype used = std::min<qsizetype>(*count, present);
    std::vector<CardFormat> entries;
    entries.reserve(std::size_t(used));
    for (qsizetype i = 0; i < used; ++i)
        entries.push_back(cardFormatFromBytes(in.bytes(CardFormatRecordSize)->constData()));
    return entries;
}

CardFormatListFile readCardFormatList(const QByteArray& bytes)
{
    CardFormatListFile file;
    ByteReader in(bytes);
    const auto magic = in.int32();
    const auto count = in.int32();
    file.damaged = !magic || *magic != CardFormatListMagic || !count || *count < 0 ||
                   in.remaining() / CardFormatRecordSize < *count;
    if (magic && *magic == CardFormatListMagic && count && *count >= 0)
        file.statedCount = *count;
    if (auto read = cardFormatListFromBytes(bytes))
        file.entries = std::move(*read);
    return file;
}

void CardFormatList::LoadEttTypes(const QString& path)
{
    const auto bytes = imaging::readRegularFile(path, imaging::MaxProgramFolderFileBytes);
    if (!bytes)
        return;
    if (auto read = cardFormatListFromBytes(*bytes))
        entries = std::move(*read);
}

bool CardFormatList::SaveEttTypes(const QString& path) const
{
    return imaging::writeFileSafely(path, cardFormatListToBytes(entries)).written();
}

std::optional<QString> cardFormatValuesProblem(const CardFormatDialogValues& v)
{
    // Written so that a value that is not a number fails too.
    const auto countFits = [](double n) { return n >= 1 && n < 51; };
    if (v.NameED.trimmed().isEmpty())
        return QStringLiteral("The name of the card type must not be empty.");
    if (!(v.BrED > 0))
        return QStringLiteral("The card width must be greater than 0.");
    if (!(v.HoED > 0))
        return QStringLiteral("The card height must be greater than 0.");
    if (!(v.AHED >= 0))
        return QStringLiteral("The horizontal space between the cards must not be less than 0: "
                              "the cards would overlap.");
    if (!(v.AVED >= 0))
        return QStringLiteral("The vertical space between the cards must not be less than 0: "
                              "the cards would overlap.");
    if (!countFits(v.AnzHED))
        return QStringLiteral("The number of cards across a sheet must lie between 1 and 50.");
    if (!countFits(v.AnzVED))
        return QStringLiteral("The number of cards down a sheet must lie between 1 and 50.");
    return std::nullopt;
}

bool sameCardFormat(const CardFormat& a, const CardFormat& b)
{
    return a.MarginLeft == b.MarginLeft && a.MarginTop == b.MarginTop && a.PitchX == b.PitchX &&
           a.PitchY == b.PitchY && a.CardWidth == b.CardWidth && a.CardHeight == b.CardHeight &&
           a.Columns == b.Columns && a.Rows == b.Rows && a.Name == b.Name;
}

CardFormatDialogValues recordToDialog(const CardFormat& format)
{
    CardFormatDialogValues v;
    v.RLED = format.MarginLeft / MillimetresPerInch;
    v.ROED = format.MarginTop / MillimetresPerInch;
    v.AHED = (format.PitchX - format.CardWidth) / MillimetresPerInch;
    v.AVED = (format.PitchY - format.CardHeight) / MillimetresPerInch;
    v.BrED = format.CardWidth / MillimetresPerInch;
    v.HoED = format.CardHeight / MillimetresPerInch;
    v.AnzHED = format.Columns;
    v.AnzVED = format.Rows;
    v.NameED = fromAnsi(format.Name);
    return v;
}

void dialogToRecord(const CardFormatDialogValues& v, CardFormat& format)
{
    constexpr double f = MillimetresPerInch;
    format.MarginLeft = v.RLED * f;
    format.MarginTop = v.ROED * f;
    format.PitchX = (v.BrED + v.AHED) * f;
    format.PitchY = (v.HoED + v.AVED) * f;
    format.CardWidth = v.BrED * f;
    format.CardHeight = v.HoED * f;
    format.Columns = truncToInt32(v.AnzHED);
    format.Rows = truncToInt32(v.AnzVED);
    setCardFormatName(format, toAnsi(v.NameED));
    // A card of no size has nothing to show or print.
    format = usableCardFormat(format);
}

CardFormatListLogic::CardFormatListLogic(QString listPath, CardFormatEditor& editor, Prompter& ask)
    : m_path(std::move(listPath)), m_editor(editor), m_ask(ask)
{
}

namespace {

QByteArray listKey(const CardFormat& format) { return cardFormatToBytes(format); }

bool sameEntries(const std::vector<CardFormat>& a, const std::vector<CardFormat>& b)
{
    return cardFormatListToBytes(a) == cardFormatListToBytes(b);
}

}  // namespace

void CardFormatListLogic::show()
{
    m_saveFailedSinceShow = false;
    if (m_unsaved) {
        // The list the last save could not write is still the user's.
        m_selected = m_list.entries.empty() ? -1 : 0;
        return;
    }
    const FileSnapshot file = readSnapshot(m_path);
    if (!file.exists) {
        m_baseline.reset();
        m_list.entries = shippedCardFormats();
    } else {
        CardFormatListFile read;
        if (file.readable)
            read = readCardFormatList(file.bytes);
        else
            read.damaged = true;
        m_list.entries = read.entries;
        m_baseline = read.entries;
        if (read.damaged && m_reportedDamage != file.bytes) {
            m_reportedDamage = file.bytes;
            const QString what = read.statedCount >= 0
                                     ? QStringLiteral("%1 of its %2 card formats could be read")
                                           .arg(read.entries.size())
                                           .arg(read.statedCount)
                                     : QStringLiteral("no card format could be read");
            m_ask.inform(QStringLiteral("Error: Damaged file"),
                         QStringLiteral("The list of card formats \"%1\" is damaged: %2. Before the list is "
                                        "written again, the file is kept as \"%3\".")
                             .arg(QFileInfo(m_path).fileName(), what, damagedBackupName(m_path)),
                         MessageIcon::Warning);
        }
    }
    m_selected = m_list.entries.empty() ? -1 : 0;
}

bool CardFormatListLogic::save()
{
    if (m_baseline && sameEntries(*m_baseline, m_list.entries)) {
        m_unsaved = false;
        return true;
    }
    const std::vector<CardFormat> base = m_baseline.value_or(std::vector<CardFormat>());
    std::vector<CardFormat> merged = m_list.entries;
    std::vector<CardFormat> theirs = base;
    const SharedWriteResult result = updateSharedFile(m_path, [&](const FileSnapshot& now) {
        bool damaged = false;
        if (now.exists) {
            const CardFormatListFile read =
                now.readable ? readCardFormatList(now.bytes) : CardFormatListFile{{}, true};
            damaged = read.damaged;
            // A damaged file has nothing to merge; it is kept as a backup.
            if (!damaged)
                theirs = read.entries;
        }
        merged = mergeListChanges(base, m_list.entries, theirs, listKey);
        return std::optional<SharedFileChange>(SharedFileChange{cardFormatListToBytes(merged), damaged});
    });
    if (result.failed()) {
        m_baseline = theirs;
        m_list.entries = merged;
        m_unsaved = true;
        m_saveFailedSinceShow = true;
        m_ask.inform(DefaultCaption, fileNotSavedMessage(m_path, result.error), MessageIcon::Error);
        return false;
    }
    m_list.entries = merged;
    m_baseline = merged;
    m_unsaved = false;
    return true;
}

void CardFormatListLogic::select(int index)
{
    m_selected = index >= 0 && index < int(m_list.entries.size()) ? index : -1;
}

bool CardFormatListLogic::selectEntry(const CardFormat& format)
{
    const auto& entries = m_list.entries;
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const CardFormat& entry) { return sameCardFormat(entry, format); });
    if (found == entries.end())
        return false;
    m_selected = int(found - entries.begin());
    return true;
}

void CardFormatListLogic::newClicked()
{
    CardFormatDialogValues values = m_editor.values();
    values.NameED = QStringLiteral("No name") + QString::number(m_list.entries.size());
    m_editor.setValues(values);
    if (!m_editor.run())
        return;
    CardFormat added;
    dialogToRecord(m_editor.values(), added);
    m_list.entries.push_back(added);
    m_selected = int(m_list.entries.size()) - 1;
}

void CardFormatListLogic::changeClicked()
{
    if (m_selected < 0)
        return;
    m_editor.setValues(recordToDialog(m_list.entries[std::size_t(m_selected)]));
    if (!m_editor.run())
        return;
    dialogToRecord(m_editor.values(), m_list.entries[std::size_t(m_selected)]);
}

void CardFormatListLogic::deleteClicked()
{
    if (m_selected < 0)
        return;
    const Answer answer =
        m_ask.ask({QStringLiteral("Note"), QStringLiteral("Hereby you delete the Business Card type."),
                   MessageButtons::OkCancel, MessageIcon::Stop});
    if (answer != Answer::Ok)
        return;
    m_list.entries.erase(m_list.entries.begin() + m_selected);
    m_selected = m_list.entries.empty() ? -1 : 0;
}

void CardFormatListLogic::stocksClicked(CardStockChooser& chooser)
{
    const auto chosen = chooser.chooseStock();
    if (!chosen || selectEntry(*chosen))
        return;
    m_list.entries.push_back(*chosen);
    m_selected = int(m_list.entries.size()) - 1;
}

bool CardFormatListLogic::okClicked(CardFormat& current)
{
    if (m_selected < 0) {
        m_ask.inform(QStringLiteral("Error"),
                     QStringLiteral("You do not have selected an Business Card type."), MessageIcon::Error);
        return false;
    }
    // The entry stays in the list as it was stored; the card gets a format it can work with.
    current = usableCardFormat(m_list.entries[std::size_t(m_selected)]);
    save();
    return true;
}

void CardFormatListLogic::close()
{
    // After a failed save the message was given once; the list stays for the next show.
    if (m_saveFailedSinceShow || !save())
        return;
    m_list.FreeEttTypes();
    m_selected = -1;
}

}  // namespace vellamo::document
