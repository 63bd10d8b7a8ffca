#include "document/card_model.h"

#include "document/units.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace vellamo::document {

namespace {

bool samePicture(const imaging::DibRecord& a, const imaging::DibRecord& b)
{
    if (a.isLoaded() != b.isLoaded())
        return false;
    // A picture changes only by replacing or turning it, which gives it a new key.
    return !a.isLoaded() ||
           (a.image().cacheKey() == b.image().cacheKey() && a.bitsPerPixel() == b.bitsPerPixel());
}

bool samePlace(const CardFormatState& a, const CardFormatState& b)
{
    return a.format == b.format && a.extentX == b.extentX && a.extentY == b.extentY;
}

// Slots that clearall would change.
bool clearallTouches(const Tobs& o)
{
    return o.Kind != FreeSlot || o.ShadowDX != 5 || o.ShadowDY != 5 || o.Picture.isLoaded();
}

}  // namespace

ObjectBox boxOf(const Tobs& object) { return {object.Left, object.Top, object.Width, object.Height}; }

bool sameObject(const Tobs& a, const Tobs& b)
{
    return sameStoredFields(a, b) && samePicture(a.Picture, b.Picture);
}

bool sameBackground(const CardBackground& a, const CardBackground& b)
{
    return a.mode == b.mode && a.file == b.file && samePicture(a.picture, b.picture);
}

CardModel::CardModel(int screenPixelsPerInch, QObject* parent) : QObject(parent), m_doc(screenPixelsPerInch)
{
    connect(&m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

CardModel::~CardModel()
{
    // The steps refer to the model; they go before it.
    m_history.blockSignals(true);
    m_history.clear();
}

void CardModel::perform(QUndoCommand* step) { m_history.push(step); }

void CardModel::markSaved()
{
    m_savesSeen = m_doc.SaveCount;
    m_history.setClean();
}

void CardModel::noticeSaves()
{
    if (m_doc.SaveCount != m_savesSeen)
        markSaved();
}

void CardModel::announceReplaced()
{
    m_savesSeen = m_doc.SaveCount;
    m_history.clear();
    m_history.setClean();
    emit documentReplaced();
    emit cardFormatChanged();
    emit selectionChanged(m_doc.SelectedObject);
    emit cardChanged();
}

void CardModel::select(int slot)
{
    if (m_doc.SelectedObject == slot)
        return;
    m_doc.SelectedObject = slot;
    emit selectionChanged(slot);
}

CardBackground CardModel::background() const
{
    return {m_doc.BackgroundMode, m_doc.BackgroundFile, m_doc.BackgroundPicture};
}

CardFormatState CardModel::formatState() const
{
    return {m_doc.Format, m_doc.CardExtentX, m_doc.CardExtentY};
}

void CardModel::announce(bool formatChanged, int selectionBefore)
{
    if (formatChanged)
        emit cardFormatChanged();
    if (m_doc.SelectedObject != selectionBefore)
        emit selectionChanged(m_doc.SelectedObject);
    emit cardChanged();
}

CardChange::CardChange(CardModel& model, QString name)
    : m_model(model), m_name(std::move(name)), m_selectionBefore(model.doc().SelectedObject),
      m_backgroundBefore(model.background()), m_formatBefore(model.formatState()),
      m_nameBefore(model.doc().DocumentFileName)
{
}

CardChange::~CardChange()
{
    if (!m_finished)
        rollback();
}

Tobs& CardChange::object(int slot)
{
    Tobs& live = doc().object(slot);
    if (slot >= FirstSlot && slot <= LastSlot)
        m_slotsBefore.try_emplace(slot, live);
    return live;
}

void CardChange::deleteObject(int slot)
{
    if (slot < FirstSlot || slot > LastSlot)
        return;
    object(slot);
    doc().deleteObject(slot);
}

void CardChange::moveSlot(int from, int to)
{
    if (from < FirstSlot || from > LastSlot || to < FirstSlot || to > LastSlot || from == to)
        return;
    for (int slot = std::min(from, to); slot <= std::max(from, to); ++slot)
        object(slot);
    doc().moveSlot(from, to);
}

void CardChange::clearall()
{
    CardDocument& d = doc();
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (clearallTouches(d.object(slot)))
            object(slot);
    }
    d.clearall();
}

void CardChange::setBackground(const CardBackground& background)
{
    CardDocument& d = doc();
    d.BackgroundMode = background.mode;
    d.BackgroundFile = background.file;
    d.BackgroundPicture = background.picture;
}

void CardChange::setFormat(const CardFormat& format)
{
    CardDocument& d = doc();
    // The card lies one card width and height from the area's origin: when it grows or
    // shrinks, every object moves with its top-left corner so that the design stays in place.
    const std::int64_t dx = std::int64_t(mmToUnits(format.CardWidth)) - mmToUnits(d.Format.CardWidth);
    const std::int64_t dy = std::int64_t(mmToUnits(format.CardHeight)) - mmToUnits(d.Format.CardHeight);
    if (dx != 0 || dy != 0) {
        const auto moved = [](std::int32_t value, std::int64_t by) {
            return std::int32_t(std::clamp<std::int64_t>(value + by, std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max()));
        };
        for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
            if (!d.object(slot).isUsed())
                continue;
            Tobs& o = object(slot);
            o.Left = moved(o.Left, dx);
            o.Top = moved(o.Top, dy);
        }
    }
    d.Format = format;
    d.updateExtents();
}

bool CardChange::commit(int mergeId)
{
    if (m_finished)
        return false;
    m_finished = true;
    CardDocument& d = doc();
    auto step = std::make_unique<CardStep>(m_model, m_name);
    step->mergeId = mergeId;
    for (auto& [slot, before] : m_slotsBefore) {
        if (!sameObject(before, d.object(slot)))
            step->objects.push_back({slot, std::move(before), d.object(slot)});
    }
    step->selection = {m_selectionBefore, d.SelectedObject};
    const CardBackground background = m_model.background();
    if (!sameBackground(m_backgroundBefore, background))
        step->background = CardStep::Pair<CardBackground>{m_backgroundBefore, background};
    const CardFormatState format = m_model.formatState();
    if (!samePlace(m_formatBefore, format))
        step->format = CardStep::Pair<CardFormatState>{m_formatBefore, format};
    if (m_nameBefore != d.DocumentFileName)
        step->fileName = CardStep::Pair<QString>{m_nameBefore, d.DocumentFileName};
    if (step->objects.empty() && !step->background && !step->format && !step->fileName) {
        // A selection moved by itself is no step, but it is announced.
        if (d.SelectedObject != m_selectionBefore)
            m_model.announce(false, m_selectionBefore);
        return false;
    }
    m_model.perform(step.release());
    return true;
}

void CardChange::rollback()
{
    m_finished = true;
    CardDocument& d = doc();
    for (auto& [slot, before] : m_slotsBefore)
        d.object(slot) = std::move(before);
    m_slotsBefore.clear();
    d.SelectedObject = m_selectionBefore;
    setBackground(m_backgroundBefore);
    d.Format = m_formatBefore.format;
    d.CardExtentX = m_formatBefore.extentX;
    d.CardExtentY = m_formatBefore.extentY;
    d.DocumentFileName = m_nameBefore;
}

CardStep::CardStep(CardModel& model, const QString& name) : QUndoCommand(name), m_model(model) {}

bool CardStep::onlyOneObject() const { return objects.size() == 1 && !background && !format && !fileName; }

bool CardStep::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const CardStep*>(other);
    if (!next || next->mergeId != mergeId || !onlyOneObject() || !next->onlyOneObject() ||
        next->objects[0].slot != objects[0].slot)
        return false;
    objects[0].after = next->objects[0].after;
    selection.after = next->selection.after;
    // Back where it started: the history keeps no empty step.
    setObsolete(sameObject(objects[0].before, objects[0].after));
    return true;
}

void CardStep::undo() { apply(false); }
void CardStep::redo() { apply(true); }

void CardStep::apply(bool after)
{
    CardDocument& d = m_model.doc();
    const int selectionBefore = d.SelectedObject;
    for (const SlotChange& change : objects)
        d.object(change.slot) = after ? change.after : change.before;
    if (background) {
        const CardBackground& b = after ? background->after : background->before;
        d.BackgroundMode = b.mode;
        d.BackgroundFile = b.file;
        d.BackgroundPicture = b.picture;
    }
    if (format) {
        const CardFormatState& f = after ? format->after : format->before;
        d.Format = f.format;
        d.CardExtentX = f.extentX;
        d.CardExtentY = f.extentY;
    }
    if (fileName)
        d.DocumentFileName = after ? fileName->after : fileName->before;
    d.SelectedObject = after ? selection.after : selection.before;
    m_model.announce(format.has_value(), selectionBefore);
}

MoveObject::MoveObject(CardModel& model, int slot, ObjectBox from, ObjectBox to, const QString& name)
    : QUndoCommand(name), m_model(model), m_slot(slot), m_from(from), m_to(to)
{
}

namespace {

void setBox(CardModel& model, int slot, const ObjectBox& box)
{
    CardDocument& d = model.doc();
    const int selectionBefore = d.SelectedObject;
    Tobs& o = d.object(slot);
    o.Left = box.left;
    o.Top = box.top;
    o.Width = box.width;
    o.Height = box.height;
    d.SelectedObject = slot;
    model.announce(false, selectionBefore);
}

}  // namespace

void MoveObject::undo() { setBox(m_model, m_slot, m_from); }
void MoveObject::redo() { setBox(m_model, m_slot, m_to); }

}  // namespace vellamo::document
