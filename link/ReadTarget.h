#pragma once
// Where a read from the programmer puts its bytes: the target says how many
// it can take, and takes them. The USB link knows nothing else about it.

#include <cstddef>
#include <cstdint>
#include <span>

namespace quarn::link {

class ReadTarget {
  public:
    // How many more bytes the target takes.
    virtual std::size_t freeRoom() const = 0;
    // Takes bytes after those it already holds; any beyond freeRoom() are dropped.
    virtual void append(std::span<const std::uint8_t> bytes) = 0;

  protected:
    ~ReadTarget() = default;
};

}  // namespace quarn::link
