// Shares a run of independent calls between this thread and one helper.
#pragma once

#include <cstddef>
#include <functional>

// Calls work(begin, end) so that [0, count) is covered once: this thread
// takes the first half, a helper thread the second. Everything stays on
// this thread when count is small or the helper already works for another.
void ShareWithHelper(size_t count, const std::function<void(size_t, size_t)>& work);
