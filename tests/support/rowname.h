// Table rows named by their `name` member: RowName names the tests of INSTANTIATE_TEST_SUITE_P,
// and a row type declared with TALLIMARK_ROW_PRINTS_ITS_NAME prints as its name where GoogleTest
// shows a parameter (the test list, and so ctest's test names) instead of the row's bytes.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

struct RowName
{
    template <typename Row> std::string operator()(const ::testing::TestParamInfo<Row> &info) const
    {
        return info.param.name;
    }
};

#define TALLIMARK_ROW_PRINTS_ITS_NAME(Row)                                                                             \
    [[maybe_unused]] void PrintTo(const Row &row, std::ostream *out)                                                   \
    {                                                                                                                  \
        *out << row.name;                                                                                              \
    }
