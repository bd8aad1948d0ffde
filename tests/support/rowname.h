// Table rows named by their `name` member, for INSTANTIATE_TEST_SUITE_P: readable test names in
// ctest and in failures instead of the row's bytes (which GoogleTest shows as the parameter).
#pragma once

#include <gtest/gtest.h>

#include <string>

struct RowName
{
    template <typename Row> std::string operator()(const ::testing::TestParamInfo<Row> &info) const
    {
        return info.param.name;
    }
};
