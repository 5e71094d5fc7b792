// Memory for database objects. A drawing makes its objects by the hundred thousand and keeps
// most of them until it closes: they are carved from large blocks (faulted in at once, ahead of
// need when another thread has time for it) instead of one heap allocation each, and the room
// of a deleted object is kept for the next object of its size. Builds with the address
// sanitizer use the ordinary heap, so that it still catches a use after delete.
#pragma once
#include <cstddef>

namespace arx::db {

void* allocateObjectMemory(std::size_t size);
// `size` is the size the memory was allocated with.
void releaseObjectMemory(void* memory, std::size_t size) noexcept;
// Gets memory ready for the objects to come (the system's work of providing it), so that the
// thread that makes them does not wait for it. Any thread may call it; a reader of a large
// drawing calls it from the thread that splits the file while the host thread builds objects.
void prepareObjectMemory();

}  // namespace arx::db
