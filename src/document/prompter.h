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
    // The starting folder, or a file name in it to offer.
    QString folder;
    // The entry of the filter shown first, 1-based.
    int filterIndex = 1;
    // Saving: the dialog itself asks before an existing file is replaced.
    bool confirmOverwrite = false;
};

// A file chosen for saving and the filter entry (1-based) chosen with it.
struct SaveChoice {
    QString fileName;
    int filterIndex = 1;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer ask(const Message& message) = 0;
    virtual std::optional<QString> chooseFileToOpen(const FileRequest& request) = 0;
    // Saving: the program asks its own overwrite question afterwards.
    virtual std::optional<QString> chooseFileToSave(const FileRequest& request) = 0;
    // Saving where the chosen filter entry decides the file's type. Where the dialog cannot
    // tell, the entry is the one it was shown with.
    virtual std::optional<SaveChoice> chooseFileAndFilterToSave(const FileRequest& request)
    {
        const std::optional<QString> name = chooseFileToSave(request);
        if (!name)
            return std::nullopt;
        return SaveChoice{*name, request.filterIndex};
    }

    void inform(const QString& caption, const QString& text, MessageIcon icon)
    {
        ask({caption, text, MessageButtons::Ok, icon});
    }
};

}  // namespace vellamo::document
