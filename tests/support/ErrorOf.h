#pragma once
#include <string>

#include "registry/Registry.h"

namespace sentrel::test {

// The message of the error that fn raises, or "<no error>".
template <typename Fn>
std::string ErrorOf(Fn fn) {
    try {
        fn();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "<no error>";
}

}  // namespace sentrel::test
