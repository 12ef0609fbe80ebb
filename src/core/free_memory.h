#pragma once

namespace nb {

// Sets how the heap keeps memory, once, before anything is loaded: blocks of a
// megabyte and more (decoded pictures, textures, the frame's buffers) get
// pages of their own and go back to the system when freed, so they leave no
// holes among the driver's small lasting blocks; and free memory at the top of
// the heap stays for the next frame's blocks up to a few megabytes, instead of
// being handed back and faulted in again every frame.
void TuneAllocator();

// Hands the heap's free pages back to the system. Loading decodes pictures,
// sounds and levels into large temporary buffers; once they are freed the
// memory would otherwise stay with the process. Called after start-up and
// after each level start.
void ReturnFreedMemory();

}  // namespace nb
