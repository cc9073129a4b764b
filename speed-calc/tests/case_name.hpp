// Names each row of a table-driven test after its `name` field, so that CTest
// and GoogleTest list it as Suite.Case/name.
#pragma once

#include <string>

namespace tarnwick::testing {

struct CaseName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return info.param.name;
    }
};

}  // namespace tarnwick::testing
