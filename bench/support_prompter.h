#pragma once

// Benchmarks answer no questions.

#include "document/prompter.h"

namespace vellamo::bench {

class SilentPrompter : public document::Prompter {
public:
    document::Answer ask(const document::Message&) override { return document::Answer::Cancel; }
    std::optional<QString> chooseFileToOpen(const document::FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFileToSave(const document::FileRequest&) override { return std::nullopt; }
};

}  // namespace vellamo::bench
