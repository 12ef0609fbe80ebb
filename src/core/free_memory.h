#pragma once

namespace nb {

// Hands the heap's free pages back to the system. Loading decodes pictures,
// sounds and levels into large temporary buffers; once they are freed the
// memory would otherwise stay with the process. Called after start-up and
// after each level start.
void ReturnFreedMemory();

}  // namespace nb
