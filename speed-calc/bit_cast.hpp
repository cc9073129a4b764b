// std::bit_cast for every build: the libc++ of Debian's Emscripten lacks it.
#pragma once

#include <cstring>
#include <type_traits>

namespace tarnwick {

// The object representation of `from` read as a To of the same size.
template <typename To, typename From>
To BitCast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

}  // namespace tarnwick
