// Loaded by the module-lookup tests; it only has to exist as a shared object.
extern "C" int win32TestModuleAnswer() { return 42; }
