#include "document/card_file_commands.h"

#include "document/ansi_text.h"
#include "document/card_file.h"
#include "document/paths.h"
#include "imaging/safe_file_write.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace vellamo::document {

namespace {

const QString DoYouWantToSave = QStringLiteral("Do you want to save before?");

void reportCannotCreate(Prompter& ask)
{
    ask.inform(QStringLiteral("Error: Could not create the file"),
               QStringLiteral("Error: Could not create file!"), MessageIcon::Information);
}

// The picture as stored, else the file of the same name beside the card file. The card's
// pictures share `budget` bytes: a card of many huge pictures cannot exhaust the memory.
bool loadWithCardFolderFallback(const PictureLoader& pictures, imaging::DibRecord& target,
                                const std::string& stored, const QString& cardPath, qint64& budget)
{
    const QString path = fromAnsi(stored);
    const qint64 bound = std::min(budget, imaging::MaxDecodedPictureBytes);
    const bool loaded =
        pictures.loadWithin(target, path, bound) ||
        pictures.loadWithin(target, QFileInfo(cardPath).absolutePath() + u'/' + fileNameWithoutFolder(path),
                            bound);
    if (loaded)
        budget -= target.image().sizeInBytes();
    return loaded;
}

void reportMissingPicture(Prompter& ask, const std::string& stored)
{
    ask.inform(DefaultCaption, "Could not open picture (" + fromAnsi(stored) + ").", MessageIcon::Error);
}

// A file that ends early opens with what could be read; the user must know the card is not whole.
void reportDamagedCard(Prompter& ask, const CardDocument& doc)
{
    int objects = 0;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (doc.object(slot).Kind > FreeSlot)
            ++objects;
    }
    QString text = QStringLiteral("The Business Card file is damaged! ");
    if (objects == 0)
        text += QStringLiteral("No object could be read.");
    else if (objects == 1)
        text += QStringLiteral("Only 1 object could be read.");
    else
        text += QStringLiteral("Only %1 objects could be read.").arg(objects);
    ask.inform(QStringLiteral("Error: Damaged file"), text, MessageIcon::Warning);
}

}  // namespace

bool Saveit(CardDocument& doc, const QString& path, Prompter& ask)
{
    // Creating over a file the user may not write fails, as it would in place.
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable()) {
        reportCannotCreate(ask);
        return false;
    }
    const imaging::SafeWriteResult written = imaging::writeFileSafely(path, cardToBytes(doc));
    if (written.outcome == imaging::SafeWriteResult::Outcome::CannotCreate) {
        reportCannotCreate(ask);
        return false;
    }
    if (!written.written()) {
        ask.inform(ApplicationTitle, written.error, MessageIcon::Error);
        return false;
    }
    doc.DocumentFileName = path;
    ++doc.SaveCount;
    return true;
}

bool SaveItemClick(CardDocument& doc, CardFileContext& context)
{
    if (!doc.DocumentFileName.isEmpty())
        return Saveit(doc, doc.DocumentFileName, context.ask);
    return Speichernunter1Click(doc, context);
}

bool Speichernunter1Click(CardDocument& doc, CardFileContext& context)
{
    const auto chosen =
        context.ask.chooseFileToSave({QString(), CardFileFilter, CardFileSuffix, context.programFolder});
    if (!chosen || chosen->isEmpty())
        return false;
    const QFileInfo existing(*chosen);
    if (existing.exists() && existing.isFile() && existing.isReadable() && existing.isWritable()) {
        const Answer answer =
            context.ask.ask({QStringLiteral("Overwrite existing file?"),
                             QStringLiteral("An file with this name exists! Overwrite this file?"),
                             MessageButtons::YesNo, MessageIcon::Question});
        if (answer != Answer::Yes)
            return false;
    }
    return Saveit(doc, *chosen, context.ask);
}

bool OpenItNow(CardDocument& doc, const QString& path, CardFileContext& context)
{
    if (doc.hasUsedSlot()) {
        const Answer answer = context.ask.ask({QStringLiteral("Business Card open"), DoYouWantToSave,
                                               MessageButtons::YesNoCancel, MessageIcon::Question});
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes && !SaveItemClick(doc, context))
            return false;
    }

    const CardFileBytes file = readCardFile(path);
    if (file.outcome == CardFileBytes::Outcome::CannotOpen) {
        context.ask.inform(QStringLiteral("Error: Could not open the file"),
                           QStringLiteral("Error: Could not open file!"), MessageIcon::Information);
        return false;
    }
    if (file.outcome == CardFileBytes::Outcome::NotACard) {
        context.ask.inform(QStringLiteral("Unknown file extension"),
                           QStringLiteral("it is not a Business Card in the Korvend Vellamo 3.5-Format!"),
                           MessageIcon::Information);
        return false;
    }
    const QByteArray& bytes = file.bytes;

    const double previousZoomNum = doc.ZoomNum;
    const double previousZoomDen = doc.ZoomDen;
    qint64 pictureBudget = imaging::MaxCardPicturesBytes;
    CardReadHooks hooks;
    hooks.backgroundRead = [&] {
        if (doc.BackgroundMode == NoBackground || doc.BackgroundFile.empty())
            return;
        if (!loadWithCardFolderFallback(context.pictures, doc.BackgroundPicture, doc.BackgroundFile, path,
                                        pictureBudget))
            reportMissingPicture(context.ask, doc.BackgroundFile);
    };
    hooks.pictureEntryRead = [&](int slot) {
        Tobs& o = doc.object(slot);
        if (!loadWithCardFolderFallback(context.pictures, o.Picture, o.PictureFile(), path, pictureBudget)) {
            reportMissingPicture(context.ask, o.PictureFile());
            return;
        }
        // The box was stored turned already; only the fresh pixels need the turn.
        if (o.Rotation >= 1 && o.Rotation <= 3)
            context.pictures.rotate(o.Picture, o.Rotation);
    };
    const CardReadResult read = readCardBytes(bytes, doc, hooks);
    makeReadCardUsable(doc, previousZoomNum, previousZoomDen);
    doc.DocumentFileName = path;
    if (!read.complete) {
        if (context.cardShown)
            context.cardShown();
        reportDamagedCard(context.ask, doc);
    } else if (read.extensionDamaged) {
        if (context.cardShown)
            context.cardShown();
        context.ask.inform(
            QStringLiteral("Error: Damaged file"),
            QStringLiteral("The Business Card file is damaged! Every object could be read, but "
                           "not all that was stored after them."),
            MessageIcon::Warning);
    }
    return true;
}

bool OpenItemClick(CardDocument& doc, CardFileContext& context)
{
    const auto chosen =
        context.ask.chooseFileToOpen({QString(), CardFileFilter, CardFileSuffix, context.programFolder});
    if (!chosen || chosen->isEmpty())
        return false;
    return OpenItNow(doc, *chosen, context);
}

}  // namespace vellamo::document
