#pragma once

// "Choose background picture" (Tbkgndform): loads or removes the card's background picture at
// once and chooses its placement, which takes effect when the dialog closes.

#include "document/card_document.h"
#include "document/prompter.h"
#include "editor/editor_dialogs.h"
#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QDialog>
#include <QRect>
#include <functional>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace vellamo::app {

class PicturePane;

// The whole pane width with the picture's shape, or the whole pane height when that is too
// high, centred in the pane. Integer divisions truncate toward zero.
QRect centredPreview(QSize pane, QSize picture);

// The placement a radio button shows for the document, or nothing for "no background" (and
// any other value), when the buttons keep what they showed.
std::optional<int> placementShown(std::int32_t backgroundMode);

// The picture the dialog works on; it is the document's picture, not a copy of its own.
struct WorkingBackground {
    imaging::DibRecord picture;
    QString file;
};

// Closing, however it happens: the placement chosen, and the working picture, or no
// background at all when there is none.
void applyOnClose(document::CardDocument& doc, const WorkingBackground& working, int chosenPlacement);

class Tbkgndform : public QDialog {
public:
    Tbkgndform(document::CardDocument& doc, editor::PictureChooser& pictures, QString programFolder,
               document::Prompter& ask, imaging::ProgressCallback progress, std::function<void()> repaint,
               QWidget* parent = nullptr);

    // Shows the dialog modally; the editor repaints when it has closed.
    void Hintergrundbild1Click();

    void FormActivate();
    void OpenBtn2Click();
    void NoBkGndBtnClick();
    void PaintBox1Paint(QPainter& painter, QSize pane);
    // The placement of the selected radio button, 0 when none is.
    int chosenPlacement() const;

    const WorkingBackground& working() const { return m_working; }

    QPushButton* OpenBtn = nullptr;
    QPushButton* NoBkGndBtn = nullptr;
    QPushButton* OkBitBtn1 = nullptr;
    QGroupBox* OptionsGroup = nullptr;
    QRadioButton* ZoomedInRadio = nullptr;
    QRadioButton* ZoomedOutRadio = nullptr;
    QRadioButton* TileRadio = nullptr;
    QRadioButton* StretchRadio = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    PicturePane* PaintBox1 = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormClose();
    void releaseBackground();

    document::CardDocument& m_doc;
    editor::PictureChooser& m_pictures;
    QString m_programFolder;
    document::Prompter& m_ask;
    imaging::ProgressCallback m_progress;
    std::function<void()> m_repaint;
    QButtonGroup* m_placements = nullptr;
    WorkingBackground m_working;
};

}  // namespace vellamo::app
