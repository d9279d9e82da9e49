#include "platform/db/Result.h"

#include <cstdlib>

namespace db {

int Result::affectedRows() const
{
    const char* count = PQcmdTuples(result_.get());
    return count && *count ? std::atoi(count) : 0;
}

} // namespace db
