#pragma once

// Initialises libxml2 exactly once per process (thread-safe); every entry point of
// the DOM that calls into the library calls this first.
void ensureXmlLibrary();
