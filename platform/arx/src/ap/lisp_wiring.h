// Ties the AutoLISP interpreter to the host: one interpreter per document, output on the
// command line, CMDACTIVE bit 32 and the editor's AutoLISP events around each evaluation,
// external functions run through their module's entry point, and the builtins that reach
// the editor (command, getvar, setvar, the get... prompts, initget, alert).
#pragma once

namespace arx::lisp {
class Interpreter;
}

namespace arx::ap {
class Document;

void wireAutoLisp();
// The interpreter of a document (null before wiring).
arx::lisp::Interpreter* interpreterOf(const Document& document);
}  // namespace arx::ap
