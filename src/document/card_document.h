#pragma once

// The card being designed: 10000 object slots drawn in slot order (slot 10000 on top), the
// current card format, the editing area, the zoom and the background picture.

#include "document/card_format.h"
#include "document/extension_part.h"
#include "document/tobs.h"
#include "imaging/dib_record.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace vellamo::document {

inline constexpr int FirstSlot = 1;
inline constexpr int LastSlot = 10000;
// Allocated with the others and never used; it is also the card file's terminator.
inline constexpr int SpareSlot = 10001;

// A slot that can hold an object, 1..10000; SelectedObject 0 (none) is not one.
inline constexpr bool isObjectSlot(int slot) { return slot >= FirstSlot && slot <= LastSlot; }

enum RenderModeValue : std::int32_t { ScreenConversion = 0, DeviceConversion = 1 };

enum BackgroundModeValue : std::int32_t {
    NoBackground = -1,
    StretchToCard = 0,
    CenterZoomedOut = 1,
    CenterZoomedIn = 2,
    TileBackground = 3,
};

// The editor's MouseMode.
enum MouseModeValue : std::int32_t { MouseIdle = 0, MouseDragging = 1, MouseHandScrolling = 2 };

// The editor's DragMode: what the last hit test found under the mouse.
enum DragHandle : std::int32_t {
    NoHandle = 0,
    HandleTopLeft = 1,
    HandleTopRight = 2,
    HandleBottomLeft = 3,
    HandleBottomRight = 4,
    HandleTopMiddle = 5,
    HandleBottomMiddle = 6,
    HandleLeftMiddle = 7,
    HandleRightMiddle = 8,
    HandleBody = 9,
};

class CardDocument {
public:
    // Every slot allocated, all fields zero or empty but the shadow offsets (5); the default
    // card format, its editing area, ZoomNum 1 and ZoomDen for `screenPixelsPerInch`.
    explicit CardDocument(int screenPixelsPerInch = 96);

    // Slots 1..10001.
    Tobs& object(int slot) { return m_objects[std::size_t(slot)]; }
    const Tobs& object(int slot) const { return m_objects[std::size_t(slot)]; }
    static bool isSlot(int slot) { return slot >= FirstSlot && slot <= SpareSlot; }

    std::int32_t SelectedObject = 0;
    CardFormat Format;
    std::int32_t CardExtentX = 0;
    std::int32_t CardExtentY = 0;
    double ZoomNum = 1.0;
    double ZoomDen = 208.0;
    double PrintScale = 0.0;
    std::int32_t RenderMode = ScreenConversion;
    std::int32_t BackgroundMode = NoBackground;
    std::string BackgroundFile;
    imaging::DibRecord BackgroundPicture;
    // What the card file held after its terminator: kept and written back as it was. Not
    // emptied by clearall; a new card and every opened file set it.
    ExtensionPart Extension;
    // Full path of the card file; never stored in a file, so it keeps every character.
    QString DocumentFileName;
    bool StartupNewDone = false;
    // Raised by every successful save, so that whoever tracks unsaved changes sees saves made
    // inside other commands (the save questions of New and Open).
    int SaveCount = 0;
    bool Rendering = false;
    // The editor's MouseModeValue and the DragHandle of the last hit test; cleared with the card.
    std::int32_t MouseMode = MouseIdle;
    std::int32_t DragMode = NoHandle;

    // Empties the card: every slot freed and its picture released, shadow offsets back to 5,
    // selection and editor modes 0, no background, no name. Format, extents and zoom stay.
    void clearall();

    // Frees one slot; unlike clearall it keeps the slot's shadow offsets.
    void deleteObject(int slot);

    // The lowest slot in 1..10000 whose Kind is 0, or 0 when the card is full.
    int lowestFreeSlot() const;
    bool hasUsedSlot() const;

    // Moves the selected object above (front) or below (back) all others into slot 10000 or
    // slot 1 and selects it there; every other object keeps its order. Nothing happens without
    // a selection.
    void toTheFront();
    void toTheBack();
    // Moves the object of slot `from` to slot `to`; the slots between shift by one towards
    // `from`, so every other object keeps its order.
    void moveSlot(int from, int to);

    // The editing area from the current card format.
    void updateExtents();

    // Editing-area size in screen pixels at the current zoom.
    std::int32_t surfaceWidth() const;
    std::int32_t surfaceHeight() const;

private:
    std::vector<Tobs> m_objects;
};

// The object's box converted by the document's RenderMode.
std::int32_t GetLeft(const CardDocument& doc, const Tobs& object);
std::int32_t GetTop(const CardDocument& doc, const Tobs& object);
std::int32_t GetWidth(const CardDocument& doc, const Tobs& object);
std::int32_t GetHeight(const CardDocument& doc, const Tobs& object);

// Stores screen pixels, always through the screen conversion.
void SetLeft(const CardDocument& doc, Tobs& object, std::int32_t pixels);
void SetTop(const CardDocument& doc, Tobs& object, std::int32_t pixels);
void SetWidth(const CardDocument& doc, Tobs& object, std::int32_t pixels);
void SetHeight(const CardDocument& doc, Tobs& object, std::int32_t pixels);

// Sets RenderMode and PrintScale for one drawing and puts the previous values back when it
// goes out of scope, early returns included.
class RenderModeScope {
public:
    RenderModeScope(CardDocument& doc, std::int32_t renderMode, double printScale);
    ~RenderModeScope();
    RenderModeScope(const RenderModeScope&) = delete;
    RenderModeScope& operator=(const RenderModeScope&) = delete;

private:
    CardDocument& m_doc;
    std::int32_t m_renderMode;
    double m_printScale;
};

inline constexpr const char* ProductName = "Korvend Vellamo 3.5";

// "Korvend Vellamo 3.5 - " and the card file's name without its folder, or NONAME01.
QString windowTitle(const CardDocument& doc);

}  // namespace vellamo::document
