#include "editor/text_dialog.h"

#include "addressbook/address_fields.h"
#include "document/ansi_text.h"
#include "editor/centred_on_screen.h"
#include "editor/dialog_buttons.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

namespace vellamo::editor {

namespace {

constexpr QChar CarriageReturn = u'\r';
constexpr QChar LineFeed = u'\n';
// Inside the memo a stored line feed is shown as a line break within its line, so that it
// stays a line feed and does not become a line of its own.
constexpr QChar LineSeparator = QChar::LineSeparator;
constexpr QChar ParagraphSeparator = QChar::ParagraphSeparator;

// Pieces between separators; the end of the text ends only a non-empty last piece.
QStringList splitLines(const QString& text, QChar separator)
{
    QStringList lines;
    QString line;
    for (QChar c : text) {
        if (c == separator) {
            lines.append(line);
            line.clear();
        } else {
            line.append(c);
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

}  // namespace

QStringList textToMemoLines(const QString& text) { return splitLines(text, CarriageReturn); }

QString memoLinesToText(const QStringList& lines) { return lines.join(CarriageReturn); }

TextWithCaret insertAtCaret(const QString& text, int selectionStart, const QString& token)
{
    const int at = std::clamp(selectionStart, 0, int(text.size()));
    QString result = text;
    result.insert(at, token);
    return {result, at + int(token.size())};
}

QString fieldToken(const QString& field) { return u'[' + field + u']'; }
QString descriptionToken(const QString& field) { return u'<' + field + u'>'; }

TTxtForm::TTxtForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Enter Text..."));
    setModal(true);
    keepCentredOnScreen(*this);
    resize(417, 240);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setMinimumSize(401, 145);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab reaches the buttons; a card text holds no tab characters.
    Memo1->setTabChangesFocus(true);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(false);
    AdddBtn = new QPushButton(QStringLiteral("Insert"), this);
    AdddBtn->setObjectName(QStringLiteral("AdddBtn"));
    AdddBtn->setAutoDefault(false);
    AddBtn2 = new QPushButton(QStringLiteral("Insert description"), this);
    AddBtn2->setObjectName(QStringLiteral("AddBtn2"));
    AddBtn2->setAutoDefault(false);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    QHBoxLayout* buttons = okCancelRow(*this, okButton, cancelButton);

    auto* fields = new QHBoxLayout;
    fields->addWidget(ComboBox1, 1);
    fields->addWidget(AdddBtn);
    fields->addWidget(AddBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(Memo1, 1);
    layout->addLayout(fields);
    layout->addWidget(line);
    layout->addLayout(buttons);

    connect(AdddBtn, &QPushButton::clicked, this, &TTxtForm::AdddBtnClick);
    connect(AddBtn2, &QPushButton::clicked, this, &TTxtForm::AddBtn2Click);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

QStringList TTxtForm::memoLines() const
{
    QStringList lines = splitLines(Memo1->document()->toRawText(), ParagraphSeparator);
    for (QString& l : lines)
        l.replace(LineSeparator, LineFeed);
    return lines;
}

void TTxtForm::setMemoLines(const QStringList& lines)
{
    QStringList shown = lines;
    for (QString& l : shown)
        l.replace(LineFeed, LineSeparator);
    Memo1->setPlainText(shown.join(ParagraphSeparator));
}

bool TTxtForm::editText(std::string& text)
{
    setMemoLines(textToMemoLines(document::fromAnsi(text)));
    if (exec() != QDialog::Accepted)
        return false;
    text = document::toAnsi(memoLinesToText(memoLines()));
    return true;
}

void TTxtForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TTxtForm::FormShow()
{
    Memo1->setFocus();
    ComboBox1->clear();
    for (std::string_view name : addressbook::AddressFieldNames)
        ComboBox1->addItem(QString::fromLatin1(name.data(), qsizetype(name.size())));
    ComboBox1->setCurrentIndex(0);
}

void TTxtForm::AdddBtnClick() { insertToken(fieldToken(ComboBox1->currentText())); }

void TTxtForm::AddBtn2Click() { insertToken(descriptionToken(ComboBox1->currentText())); }

void TTxtForm::insertToken(const QString& token)
{
    // The memo's raw text counts every character and every line break as one position, as
    // the cursor does.
    const TextWithCaret inserted =
        insertAtCaret(Memo1->document()->toRawText(), Memo1->textCursor().selectionStart(), token);
    Memo1->setPlainText(inserted.text);
    QTextCursor caret = Memo1->textCursor();
    caret.setPosition(inserted.caret);
    Memo1->setTextCursor(caret);
    Memo1->setFocus();
}

}  // namespace vellamo::editor
