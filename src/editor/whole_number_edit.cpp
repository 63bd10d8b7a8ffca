#include "editor/whole_number_edit.h"

namespace vellamo::editor {

int wholeNumberFromText(const QString& text, const QLocale& locale, int emptyValue)
{
    bool ok = false;
    const int value = locale.toInt(text.trimmed(), &ok);
    return ok ? value : emptyValue;
}

WholeNumberEdit::WholeNumberEdit(int emptyValue, QWidget* parent) : QSpinBox(parent), m_emptyValue(emptyValue)
{
}

int WholeNumberEdit::countedValue() const { return wholeNumberFromText(cleanText(), locale(), m_emptyValue); }

bool WholeNumberEdit::holdsNumber() const
{
    bool ok = false;
    locale().toInt(cleanText().trimmed(), &ok);
    return ok;
}

void WholeNumberEdit::fixup(QString& input) const
{
    QSpinBox::fixup(input);
    bool ok = false;
    locale().toInt(input.trimmed(), &ok);
    if (!ok)
        input = textFromValue(m_emptyValue);
}

}  // namespace vellamo::editor
