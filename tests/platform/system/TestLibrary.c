// A tiny library for the loader's tests. The build makes two copies of the same name: one beside
// the test program (origin 1) and one in a folder on the program's run path (origin 2).
#ifndef LUMO_TEST_LIBRARY_ORIGIN
#define LUMO_TEST_LIBRARY_ORIGIN 0
#endif

static int calls;

__attribute__((visibility("default"))) int LumoTestLibraryOrigin(void) { return LUMO_TEST_LIBRARY_ORIGIN; }

// Counts calls, so a test can tell a library still loaded from one loaded afresh.
__attribute__((visibility("default"))) int LumoTestLibraryCount(void) { return ++calls; }
