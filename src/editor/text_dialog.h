#pragma once

// "Enter Text..." (TTxtForm): the text of a text object, one memo line per stored line, with
// buttons that insert address-field placeholders at the caret.

#include "editor/editor_dialogs.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace vellamo::editor {

// Stored text -> memo lines: a carriage return ends a line and is dropped; the end of the text
// ends a non-empty remainder. Line feeds stay inside their line.
QStringList textToMemoLines(const QString& text);

// Memo lines -> stored text: joined with single carriage returns; no lines give an empty text.
QString memoLinesToText(const QStringList& lines);

struct TextWithCaret {
    QString text;
    int caret = 0;
};

// Puts `token` before the character at `selectionStart` (a selection is kept, not replaced);
// the caret goes behind the token. A position outside the text is taken as its nearer end.
TextWithCaret insertAtCaret(const QString& text, int selectionStart, const QString& token);

// "[" + field + "]" for "Insert", "<" + field + ">" for "Insert description".
QString fieldToken(const QString& field);
QString descriptionToken(const QString& field);

class TTxtForm : public QDialog, public TextEditor {
public:
    explicit TTxtForm(QWidget* parent = nullptr);

    // `text` is the stored Windows-1252 text.
    bool editText(std::string& text) override;

    // The memo's lines as the dialog will store them, and filling it with lines.
    QStringList memoLines() const;
    void setMemoLines(const QStringList& lines);

    void FormShow();
    void AdddBtnClick();
    void AddBtn2Click();

    QPlainTextEdit* Memo1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* AdddBtn = nullptr;
    QPushButton* AddBtn2 = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void insertToken(const QString& token);
};

}  // namespace vellamo::editor
