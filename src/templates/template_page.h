#pragma once

// The "Template assistant" page: the choices of elements, "&Render templates", the gallery of
// thumbnails (PaintBox4) and "Use selected &template".

#include "addressbook/address_book.h"
#include "document/card_document.h"
#include "document/picture_loader.h"
#include "document/prompter.h"
#include "templates/template_adoption.h"

#include <QWidget>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace vellamo::templates {

// Measures with the screen's font metrics, as the gallery and the adopted card draw.
class ScreenTextMeasure : public TextMeasure {
public:
    QSize measure(const QString& text, int pixelHeight, int width, int column) const override;
};

// The thumbnails; draws only what is scrolled into view.
class TemplateGallery : public QWidget {
    Q_OBJECT
public:
    TemplateGallery(const TemplateSet& set, const document::CardDocument& doc, addressbook::AddressBook& book,
                    QScrollArea* box);

    int selected() const { return m_selected; }
    void setSelected(int t);
    GalleryGeometry geometryNow() const;
    // Corrects the surface size; true when it was right already.
    bool fitSurface();
    // Draws the thumbnails that meet `band` (surface coordinates).
    void paintBand(QPainter& painter, const QRect& band);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const TemplateSet& m_set;
    const document::CardDocument& m_doc;
    addressbook::AddressBook& m_book;
    QScrollArea* m_box;
    ScreenTextMeasure m_measure;
    int m_selected = 0;
};

struct TemplatePageContext {
    QString programFolder;
    std::function<QString(const QString&)> shortenPictureName;
    document::Prompter* ask = nullptr;
    const document::PictureLoader* pictures = nullptr;
    int screenDpi = 96;
    // Seeds the layouts; the clock at start, a fixed number in tests.
    std::uint32_t seed = 0;
    // Saves the card (the save question's Yes); false when it was not saved.
    std::function<bool()> save;
    // Puts the built card into the document as one change and shows the editor.
    std::function<void(TemplateCard)> adopt;
};

class TemplatePage : public QWidget {
    Q_OBJECT
public:
    TemplatePage(const document::CardDocument& doc, addressbook::AddressBook& book,
                 TemplatePageContext context, QWidget* parent = nullptr);
    ~TemplatePage() override;

    void RenderBtnClick();
    void UseTemplateBtnClick();
    // One wheel event over the main window while this page is shown.
    void FormMouseWheel(bool down);

    const TemplateSet& templates() const { return m_set; }
    TemplateChoices choices() const;
    TemplateGallery* gallery() const { return m_gallery; }
    QScrollArea* galleryBox() const { return m_box; }
    QLabel* Label3() const { return m_label3; }
    QPushButton* RenderBtn() const { return m_renderBtn; }
    QPushButton* UseTemplateBtn() const { return m_useTemplateBtn; }
    QLineEdit* GrafikFileEd() const { return m_grafikFile; }
    QLineEdit* BkGndFileED() const { return m_bkGndFile; }
    // Check boxes and radio buttons by their names (TitelCheck, LogoRadio, ...).
    QCheckBox* check(const char* name) const;
    QRadioButton* radio(const char* name) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fileNameChanged(QLineEdit* edit, const QString& text);
    void browse(QLineEdit* edit);

    const document::CardDocument& m_doc;
    addressbook::AddressBook& m_book;
    TemplatePageContext m_context;
    TemplateSet m_set;
    LayoutRandom m_random;

    QLabel* m_label3 = nullptr;
    QPushButton* m_renderBtn = nullptr;
    QPushButton* m_useTemplateBtn = nullptr;
    QLineEdit* m_grafikFile = nullptr;
    QLineEdit* m_bkGndFile = nullptr;
    QScrollArea* m_box = nullptr;
    TemplateGallery* m_gallery = nullptr;
};

}  // namespace vellamo::templates
