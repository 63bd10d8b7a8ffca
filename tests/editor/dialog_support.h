#pragma once

// Running a modal dialog from a test: the steps run once the dialog is open; a dialog the
// steps leave open is cancelled, so a failing test never hangs.

#include "editor/editor_dialogs.h"

#include <QDialog>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace vellamo::testing {

inline void whileOpen(QDialog& dialog, std::function<void()> steps)
{
    QTimer::singleShot(0, &dialog, [&dialog, steps = std::move(steps)] {
        steps();
        if (dialog.isVisible())
            dialog.reject();
    });
}

// The colour dialog answered from a script: each answer a colour, or nothing for Cancel.
class ScriptedColorChooser : public editor::ColorChooser {
public:
    std::deque<std::optional<std::int32_t>> answers;
    std::vector<std::int32_t> started;

    std::optional<std::int32_t> chooseColor(std::int32_t initial) override
    {
        started.push_back(initial);
        if (answers.empty())
            return std::nullopt;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace vellamo::testing
