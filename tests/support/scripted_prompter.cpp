#include "support/scripted_prompter.h"

namespace vellamo::testing {

using document::Answer;

Answer ScriptedPrompter::ask(const document::Message& message)
{
    messages.push_back(message);
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (message.buttons) {
    case document::MessageButtons::YesNo:
        return Answer::No;
    case document::MessageButtons::YesNoCancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

std::optional<QString> ScriptedPrompter::chooseFileToOpen(const document::FileRequest& request)
{
    openRequests.push_back(request);
    if (openFiles.empty())
        return std::nullopt;
    QString f = openFiles.front();
    openFiles.pop_front();
    return f;
}

std::optional<QString> ScriptedPrompter::chooseFileToSave(const document::FileRequest& request)
{
    saveRequests.push_back(request);
    if (saveFiles.empty())
        return std::nullopt;
    QString f = saveFiles.front();
    saveFiles.pop_front();
    return f;
}

std::optional<document::SaveChoice>
ScriptedPrompter::chooseFileAndFilterToSave(const document::FileRequest& request)
{
    saveRequests.push_back(request);
    if (saveChoices.empty())
        return std::nullopt;
    document::SaveChoice c = saveChoices.front();
    saveChoices.pop_front();
    return c;
}

QStringList ScriptedPrompter::texts() const
{
    QStringList list;
    for (const auto& m : messages)
        list.append(m.text);
    return list;
}

}  // namespace vellamo::testing
