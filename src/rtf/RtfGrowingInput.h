#pragma once
// RTF bytes that are still arriving while they are read (standard input from a pipe).

#include <cstddef>
#include <string_view>

namespace velmora {

class IRtfGrowingInput {
public:
    virtual ~IRtfGrowingInput() = default;
    // The input from its first byte: at least nWanted bytes of it, or, when it ends sooner, all
    // of it. A byte keeps its address from one call to the next, so views into what came before
    // stay valid (up to what the reader's sink has heard it has read: see IRtfSink::InputReadTo).
    virtual std::string_view Extend(size_t nWanted) = 0;
    // True once Extend has returned the whole input.
    virtual bool Ended() const = 0;
};

}  // namespace velmora
