#pragma once

#include <functional>

namespace vellamo::imaging {

// Long picture work reports 0..100 through this; an empty callback reports nowhere.
using ProgressCallback = std::function<void(int percent)>;

inline void report(const ProgressCallback& progress, int percent)
{
    if (progress)
        progress(percent);
}

}  // namespace vellamo::imaging
