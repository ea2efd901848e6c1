// Counts how often one pointer is given back with operator delete, to see that an
// object is deleted exactly once. This program replaces the global operator new and
// delete (with malloc and free) for that.
#pragma once

// Starts counting the deletes of `p` (null: stop counting) from zero.
void watchDeletes(const void* p);
// The deletes of the watched pointer since watchDeletes.
int watchedDeletes();
