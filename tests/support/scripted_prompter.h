#pragma once

// A Prompter that answers from a script and records every question, for tests.

#include "document/prompter.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace vellamo::testing {

class ScriptedPrompter : public document::Prompter {
public:
    // Answers in order; when they run out: Ok, No for Yes/No, Cancel for Yes/No/Cancel.
    std::deque<document::Answer> answers;
    // Files in order; when they run out, the dialog is cancelled.
    std::deque<QString> openFiles;
    std::deque<QString> saveFiles;
    // Saves with a filter entry; when they run out, the dialog is cancelled.
    std::deque<document::SaveChoice> saveChoices;

    std::vector<document::Message> messages;
    std::vector<document::FileRequest> openRequests;
    std::vector<document::FileRequest> saveRequests;

    document::Answer ask(const document::Message& message) override;
    std::optional<QString> chooseFileToOpen(const document::FileRequest& request) override;
    std::optional<QString> chooseFileToSave(const document::FileRequest& request) override;
    std::optional<document::SaveChoice>
    chooseFileAndFilterToSave(const document::FileRequest& request) override;

    QStringList texts() const;
};

}  // namespace vellamo::testing
