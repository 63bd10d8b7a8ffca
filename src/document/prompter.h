#pragma once

// How logic asks the user. The main window answers with real dialogs, tests with a script.
// Texts, captions, buttons and icons passed here are the program's exact texts.

#include <QString>
#include <optional>

namespace vellamo::document {

enum class MessageIcon { None, Information, Question, Warning, Error, Stop };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// The caption Windows gives a message box that names none.
inline const QString DefaultCaption = QStringLiteral("Error");

struct Message {
    QString caption;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

struct FileRequest {
    QString caption;
    // In the program's own form: "Business cards (*.vis)|*.vis", pairs of text and patterns.
    QString filter;
    QString defaultSuffix;
    QString folder;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer ask(const Message& message) = 0;
    virtual std::optional<QString> chooseFileToOpen(const FileRequest& request) = 0;
    // Saving: the program asks its own overwrite question afterwards.
    virtual std::optional<QString> chooseFileToSave(const FileRequest& request) = 0;

    void inform(const QString& caption, const QString& text, MessageIcon icon)
    {
        ask({caption, text, MessageButtons::Ok, icon});
    }
};

}  // namespace vellamo::document
