#pragma once

#include <cstdlib>
#include <memory>

// An xcb reply or error, freed with free() as xcb wants when it goes out of scope.
struct XcbFree {
    void operator()(void *reply) const { std::free(reply); }
};
template <class T>
using XcbReply = std::unique_ptr<T, XcbFree>;
