#pragma once

// "Create new Address": first and last name of the new address and whether it takes over the
// values of the current one.

#include <QDialog>
#include <QString>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vellamo::addressbook {

struct NewAddressInput {
    QString firstName;
    QString lastName;
    bool takeOverValues = false;
};

// What the Addresses page asks through; tests answer with a script.
class NewAddressAsker {
public:
    virtual ~NewAddressAsker() = default;
    // Nothing when cancelled.
    virtual std::optional<NewAddressInput> askNewAddress() = 0;
};

class TNewAdrForm : public QDialog, public NewAddressAsker {
public:
    explicit TNewAdrForm(QWidget* parent = nullptr);

    // Opens with both names empty, the box unchecked, the focus in "First Name:" and OK
    // disabled until both names are given.
    std::optional<NewAddressInput> askNewAddress() override;
    // Puts the dialog in its opening state without showing it.
    void prepare();

    QLineEdit* firstNameEdit() const { return m_first; }
    QLineEdit* lastNameEdit() const { return m_last; }
    QCheckBox* takeOverCheck() const { return m_takeOver; }
    QPushButton* okButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateOk();

    QLineEdit* m_first = nullptr;
    QLineEdit* m_last = nullptr;
    QCheckBox* m_takeOver = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace vellamo::addressbook
