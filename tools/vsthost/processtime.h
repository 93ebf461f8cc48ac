// The CPU time of the host's own process, for the editor's cost while music
// plays.
#pragma once

// The CPU time this process has used, every thread's, in seconds; 0 when the
// system cannot tell.
double processorSeconds();
