#pragma once

// The card format dialogs answered from a script, for tests.

#include "document/card_format_list.h"
#include "document/new_card.h"

#include <deque>
#include <functional>
#include <vector>

namespace vellamo::testing {

// The edit dialog: values kept between uses, OK or Cancel from the script (Cancel when it runs out).
class ScriptedFormatEditor : public document::CardFormatEditor {
public:
    document::CardFormatDialogValues current;
    std::deque<bool> results;
    std::vector<document::CardFormatDialogValues> shown;
    // Applied to the values before OK, as if the user typed.
    std::function<void(document::CardFormatDialogValues&)> edit;

    document::CardFormatDialogValues values() const override { return current; }
    void setValues(const document::CardFormatDialogValues& v) override { current = v; }
    bool run() override
    {
        shown.push_back(current);
        const bool ok = !results.empty() && results.front();
        if (!results.empty())
            results.pop_front();
        if (ok && edit)
            edit(current);
        return ok;
    }
};

// The list dialog: each answer is a format to choose, or nothing for Cancel.
class ScriptedFormatChooser : public document::CardFormatChooser {
public:
    std::deque<std::optional<document::CardFormat>> answers;
    int shown = 0;

    bool choose(document::CardFormat& current) override
    {
        ++shown;
        if (answers.empty())
            return false;
        const auto answer = answers.front();
        answers.pop_front();
        if (!answer)
            return false;
        current = *answer;
        return true;
    }
};

}  // namespace vellamo::testing
