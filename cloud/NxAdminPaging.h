#pragma once

#include <QString>

struct NxCloudRequest;

// Which part of a list the admin API answers: ?offset= (default 0) and
// ?limit= (default 50, at most 500).
struct NxAdminPaging
{
    static constexpr int kDefaultLimit = 50;
    static constexpr int kMaxLimit = 500;

    int offset = 0;
    int limit = kDefaultLimit;

    // false with error naming the field when a value is not a fitting number.
    static bool fromRequest(const NxCloudRequest& request, NxAdminPaging* paging, QString* error);
};
