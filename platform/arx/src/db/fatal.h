// The database's fatal errors: a broken open protocol (writing to an object not open for
// write) stops the process with a message, as the host does.
#pragma once

namespace arx::db {

[[noreturn]] void fatal(const char* message);

}  // namespace arx::db
