#include "document/card_document.h"

#include "document/units.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

namespace vellamo::document {

CardDocument::CardDocument(int screenPixelsPerInch)
    : Format(defaultCardFormat()), ZoomDen(startZoomDen(screenPixelsPerInch)), m_objects(SpareSlot + 1)
{
    updateExtents();
}

void CardDocument::clearall()
{
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        Tobs& o = object(slot);
        o.Kind = FreeSlot;
        imaging::deldib(o.Picture);
        o.ShadowDX = 5;
        o.ShadowDY = 5;
    }
    SelectedObject = 0;
    MouseMode = MouseIdle;
    DragMode = NoHandle;
    BackgroundMode = NoBackground;
    imaging::deldib(BackgroundPicture);
    BackgroundFile.clear();
    DocumentFileName.clear();
}

void CardDocument::deleteObject(int slot)
{
    if (!isObjectSlot(slot))
        return;
    Tobs& o = object(slot);
    o.Kind = FreeSlot;
    imaging::deldib(o.Picture);
    SelectedObject = 0;
}

int CardDocument::lowestFreeSlot() const
{
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (object(slot).Kind == FreeSlot)
            return slot;
    }
    return 0;
}

bool CardDocument::hasUsedSlot() const
{
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (object(slot).Kind >= ShapeObject)
            return true;
    }
    return false;
}

void CardDocument::moveSlot(int from, int to)
{
    const auto at = [this](int slot) { return m_objects.begin() + std::ptrdiff_t(slot); };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else if (to < from)
        std::rotate(at(to), at(from), at(from + 1));
}

void CardDocument::toTheFront()
{
    if (!isObjectSlot(SelectedObject))
        return;
    moveSlot(SelectedObject, LastSlot);
    SelectedObject = LastSlot;
}

void CardDocument::toTheBack()
{
    if (!isObjectSlot(SelectedObject))
        return;
    moveSlot(SelectedObject, FirstSlot);
    SelectedObject = FirstSlot;
}

void CardDocument::updateExtents()
{
    CardExtentX = editingExtent(Format.CardWidth);
    CardExtentY = editingExtent(Format.CardHeight);
}

std::int32_t CardDocument::surfaceWidth() const { return unitsToScreen(CardExtentX, ZoomNum, ZoomDen); }

std::int32_t CardDocument::surfaceHeight() const { return unitsToScreen(CardExtentY, ZoomNum, ZoomDen); }

namespace {

std::int32_t toPixels(const CardDocument& doc, std::int32_t units)
{
    if (doc.RenderMode == DeviceConversion)
        return unitsToDevice(units, doc.PrintScale);
    return unitsToScreen(units, doc.ZoomNum, doc.ZoomDen);
}

}  // namespace

std::int32_t GetLeft(const CardDocument& doc, const Tobs& object) { return toPixels(doc, object.Left); }
std::int32_t GetTop(const CardDocument& doc, const Tobs& object) { return toPixels(doc, object.Top); }
std::int32_t GetWidth(const CardDocument& doc, const Tobs& object) { return toPixels(doc, object.Width); }
std::int32_t GetHeight(const CardDocument& doc, const Tobs& object) { return toPixels(doc, object.Height); }

void SetLeft(const CardDocument& doc, Tobs& object, std::int32_t pixels)
{
    object.Left = screenToUnits(pixels, doc.ZoomNum, doc.ZoomDen);
}
void SetTop(const CardDocument& doc, Tobs& object, std::int32_t pixels)
{
    object.Top = screenToUnits(pixels, doc.ZoomNum, doc.ZoomDen);
}
void SetWidth(const CardDocument& doc, Tobs& object, std::int32_t pixels)
{
    object.Width = screenToUnits(pixels, doc.ZoomNum, doc.ZoomDen);
}
void SetHeight(const CardDocument& doc, Tobs& object, std::int32_t pixels)
{
    object.Height = screenToUnits(pixels, doc.ZoomNum, doc.ZoomDen);
}

RenderModeScope::RenderModeScope(CardDocument& doc, std::int32_t renderMode, double printScale)
    : m_doc(doc), m_renderMode(doc.RenderMode), m_printScale(doc.PrintScale)
{
    doc.RenderMode = renderMode;
    doc.PrintScale = printScale;
}

RenderModeScope::~RenderModeScope()
{
    m_doc.RenderMode = m_renderMode;
    m_doc.PrintScale = m_printScale;
}

QString windowTitle(const CardDocument& doc)
{
    if (doc.DocumentFileName.isEmpty())
        return QString::fromLatin1(ProductName) + " - NONAME01";
    return QString::fromLatin1(ProductName) + " - " + QFileInfo(doc.DocumentFileName).fileName();
}

}  // namespace vellamo::document
