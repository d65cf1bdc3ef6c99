#include "scheduler.h"

#include <filesystem>
#include <vector>

#include <gtest/gtest.h>
#include <oneapi/tbb/parallel_sort.h>
#include <oneapi/tbb/task_arena.h>

namespace {

int threads_in_process() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return static_cast<int>(std::distance(begin(tasks), end(tasks)));
}

TEST(scheduler, starts_every_worker_and_ends_with_none_left) {
    ASSERT_EQ(threads_in_process(), 1);
    for (int trial = 0; trial < 3; ++trial) {
        tbb::task_scheduler_handle scheduler = start_scheduler();
        EXPECT_EQ(threads_in_process(), tbb::this_task_arena::max_concurrency());

        std::vector<int> values = {5, 3, 9, 1, 7};
        tbb::parallel_sort(values.begin(), values.end());
        EXPECT_EQ(values, (std::vector<int>{1, 3, 5, 7, 9}));

        end_scheduler(scheduler);
        EXPECT_EQ(threads_in_process(), 1) << "trial " << trial;
        EXPECT_FALSE(scheduler);
    }
}

}  // namespace
