// Documents hold real drawing databases: NEW builds the host's default drawing, OPEN reads
// a DXF file, and the working database follows the current document.
#pragma once

namespace arx::ap {

// Installs the database hooks and the working-database listener; call once at start-up.
void wireDocumentDatabases();

}  // namespace arx::ap
