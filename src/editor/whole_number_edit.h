#pragma once

// A spin edit for whole numbers in which a field the user left without a number (emptied, or
// only a sign) counts as a fixed value. Qt would put the last number back when focus leaves or
// Enter is pressed; here the field takes the fixed value instead, and shows it.

#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>

namespace vellamo::editor {

// The whole number `text` holds in `locale` (group separators allowed), or `emptyValue`.
int wholeNumberFromText(const QString& text, const QLocale& locale, int emptyValue);

class WholeNumberEdit : public QSpinBox {
public:
    explicit WholeNumberEdit(int emptyValue, QWidget* parent = nullptr);

    // What the field counts as now, while typing too.
    int countedValue() const;
    bool holdsNumber() const;
    // The text field itself, which reports every keystroke (the spin edit only new values).
    QLineEdit* typingField() const { return lineEdit(); }

protected:
    void fixup(QString& input) const override;

private:
    int m_emptyValue;
};

}  // namespace vellamo::editor
