#pragma once

// The one model of the card: it owns the CardDocument, keeps the history of changes and
// announces every change. Views read the document and listen; they never keep copies of it.
//
// How a page changes the card (one user change, one undo step):
//
//     document::CardChange change(model, QStringLiteral("Template"));
//     change.clearall();                        // the whole card, background and name included
//     const int slot = change.doc().lowestFreeSlot();
//     document::Tobs& o = change.object(slot);  // remembered as it was, then edited in place
//     o.Kind = document::TextObject;
//     change.setBackground({document::CenterZoomedIn, file, picture});
//     change.commit();                          // one step "Undo Template", announced, repainted
//
// A change that is never committed (cancelled, failed) puts back everything it touched.
// Listeners: `cardChanged` after every change, undo and redo (repaint there); `cardFormatChanged`
// when the card format or the editing area changed (resize the surface, refresh the sheet);
// `selectionChanged`; `documentReplaced` after New and Open; `modifiedChanged` for the
// unsaved-changes state. Zoom, scrolling, the mouse mode and the drag handle are view state:
// they are set on doc() directly and are no step (a page that resets the zoom resizes the
// editor's surface itself). The main window hands the model out as TSDIAppForm::model().

#include "document/card_document.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <map>
#include <optional>
#include <vector>

namespace vellamo::document {

// The card's background as one value.
struct CardBackground {
    std::int32_t mode = NoBackground;
    std::string file;
    imaging::DibRecord picture;
};

// The card format with the editing area it gives.
struct CardFormatState {
    CardFormat format;
    std::int32_t extentX = 0;
    std::int32_t extentY = 0;
};

// An object's box in object units.
struct ObjectBox {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const ObjectBox&) const = default;
};

ObjectBox boxOf(const Tobs& object);

// Every stored field equal, and the same pixels (the same picture, not a copy of it).
bool sameObject(const Tobs& a, const Tobs& b);
bool sameBackground(const CardBackground& a, const CardBackground& b);

class CardModel : public QObject {
    Q_OBJECT
public:
    explicit CardModel(int screenPixelsPerInch = 96, QObject* parent = nullptr);
    ~CardModel() override;

    const CardDocument& doc() const { return m_doc; }
    // Card content changed through here is neither recorded nor announced: only view state
    // (zoom, mouse mode, drag handle), the renderer's own stores and reading whole files
    // (followed by announceReplaced) belong here.
    CardDocument& doc() { return m_doc; }

    QUndoStack& history() { return m_history; }

    // The one change path: the step is applied, recorded and announced.
    void perform(QUndoCommand* step);

    // The card differs from what was last opened, saved or started by New. Undoing back to
    // that state counts as unchanged.
    bool isModified() const { return !m_history.isClean(); }
    // After a successful save.
    void markSaved();
    // After a command that may have saved on its way (New and Open ask to save first): marks
    // the card saved when a save happened since the last call.
    void noticeSaves();
    // After New or Open replaced the whole document: the history is emptied, the card counts
    // as unchanged, and every listener hears of it.
    void announceReplaced();

    // Selecting is no change of the card; it is announced when it differs.
    void select(int slot);

    CardBackground background() const;
    CardFormatState formatState() const;

    // For the steps, after they wrote into the document: the signals, in the order
    // format, selection (when it differs from `selectionBefore`), card.
    void announce(bool formatChanged, int selectionBefore);

signals:
    void cardChanged();
    void cardFormatChanged();
    void selectionChanged(int slot);
    void documentReplaced();
    void modifiedChanged(bool modified);

private:
    CardDocument m_doc;
    QUndoStack m_history;
    int m_savesSeen = 0;
};

// One user change of the card, collected on the live document and recorded as one step. The
// document, the selection, the background, the card format and the name are remembered when
// the change begins; slots are remembered when object() or clearall() first touches them.
class CardChange {
public:
    CardChange(CardModel& model, QString name);
    ~CardChange();
    CardChange(const CardChange&) = delete;
    CardChange& operator=(const CardChange&) = delete;

    CardDocument& doc() { return m_model.doc(); }

    // The live record of `slot` (1..10000), remembered as it was before its first change.
    Tobs& object(int slot);
    // Frees the slot as CardDocument::deleteObject does.
    void deleteObject(int slot);
    // Moves an object to another slot as CardDocument::moveSlot does ("To the front" and "To
    // the back"); every slot in between is remembered.
    void moveSlot(int from, int to);
    // Empties the card as CardDocument::clearall does; one step with what follows.
    void clearall();
    void select(int slot) { doc().SelectedObject = slot; }
    void setBackground(const CardBackground& background);
    // The editing area follows from the format; every object moves with the card's top-left
    // corner, so it keeps its place on the card.
    void setFormat(const CardFormat& format);

    // Records the step when anything differs from the start and announces it. False when
    // nothing changed; the change is finished either way. See CardStep::mergeId.
    bool commit(int mergeId = -1);
    // Puts back everything touched.
    void rollback();

private:
    CardModel& m_model;
    QString m_name;
    bool m_finished = false;
    std::map<int, Tobs> m_slotsBefore;
    int m_selectionBefore = 0;
    CardBackground m_backgroundBefore;
    CardFormatState m_formatBefore;
    QString m_nameBefore;
};

// The step CardChange records: the slots that differ, and whatever else differs.
class CardStep : public QUndoCommand {
public:
    struct SlotChange {
        int slot;
        Tobs before;
        Tobs after;
    };
    template <typename T> struct Pair {
        T before;
        T after;
    };

    CardStep(CardModel& model, const QString& name);

    // Steps with the same id that change only the same one object become one step, as the
    // line width does while it is typed or spun; -1 never merges.
    int mergeId = -1;
    std::vector<SlotChange> objects;
    Pair<int> selection{0, 0};
    std::optional<Pair<CardBackground>> background;
    std::optional<Pair<CardFormatState>> format;
    std::optional<Pair<QString>> fileName;

    void undo() override;
    void redo() override;
    int id() const override { return mergeId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply(bool after);
    bool onlyOneObject() const;

    CardModel& m_model;
};

// One drag of the selected object: only its box changes.
class MoveObject : public QUndoCommand {
public:
    MoveObject(CardModel& model, int slot, ObjectBox from, ObjectBox to, const QString& name);
    void undo() override;
    void redo() override;

private:
    CardModel& m_model;
    int m_slot;
    ObjectBox m_from;
    ObjectBox m_to;
};

}  // namespace vellamo::document
