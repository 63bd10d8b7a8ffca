#pragma once

// Steps a test takes inside a modal dialog's own event loop.

#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace vellamo::testing {

// Runs `step` once the modal dialog of type T is the active one.
template <typename T> void whenOpen(std::function<void(T*)> step)
{
    QTimer::singleShot(0, [step] {
        auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog) << "the dialog did not open";
        step(dialog);
    });
}

}  // namespace vellamo::testing
