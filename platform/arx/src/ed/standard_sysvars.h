// The system variables the editor keeps itself (the drawing's own ones are added by the
// database and document areas).
#pragma once

namespace arx::ed {
void defineStandardSysVars();
}
