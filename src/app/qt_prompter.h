#pragma once

// The program's questions and file choices as real Qt dialogs.

#include "document/prompter.h"

#include <QWidget>

namespace vellamo::app {

// "Business cards (*.vis)|*.vis" -> "Business cards (*.vis)"; "All pictures|*.BMP;*.GIF" ->
// "All pictures (*.BMP *.GIF)". Entries are separated by ";;".
QString qtFileFilter(const QString& programFilter);

class QtPrompter : public document::Prompter {
public:
    explicit QtPrompter(QWidget* parent) : m_parent(parent) {}
    document::Answer ask(const document::Message& message) override;
    std::optional<QString> chooseFileToOpen(const document::FileRequest& request) override;
    std::optional<QString> chooseFileToSave(const document::FileRequest& request) override;
    std::optional<document::SaveChoice>
    chooseFileAndFilterToSave(const document::FileRequest& request) override;

private:
    QWidget* m_parent;
};

}  // namespace vellamo::app
