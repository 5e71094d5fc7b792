// The advice "Did you know that ...": offered once per drawing, after a command added a
// floating viewport to a drawing that has no associated marks.
#pragma once

namespace kestra {

// Shows the advice dialog; nothing unless "KsWarmNoCreate" is on, messages do not go to the
// command line and the current document has no associated marks (association count below 1).
// The advice is never printed.
void showAdvice();

// Called when a command starts: the viewports of the current layout are counted before a
// command that can add some (MVIEW, VPORTS).
void noteViewportsBeforeCommand(const char* commandName);
// Called when a command has ended: when such a command added floating viewports the drawing
// is advised, once (the drawing is remembered by its file name, so that switching back to it
// or opening it again in the session does not repeat the advice).
void adviseAfterCommand(const char* commandName);

}  // namespace kestra
