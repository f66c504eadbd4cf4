// The database fixture of the database tests, shared with the storage tests.
#include "tests/database/testdatabase.cpp"
