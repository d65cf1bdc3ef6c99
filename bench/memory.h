#pragma once

// Keeps memory that a trial frees inside the process, so that the next, larger
// trial builds its arrays on pages that are already mapped instead of faulting
// fresh zeroed pages in. A run's resident peak stays that of its largest trial.
// Where the C library offers no such setting this does nothing; the sorts and
// their data are the same either way.
void keep_freed_memory_in_process();
