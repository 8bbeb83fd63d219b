#pragma once
// The clipboard stream: token texts written to and read from the clipboard pass through one
// memory stream. With UseClipboard on it is exchanged with the system clipboard; without it the
// stream itself is the program's private clipboard.

#include "framework/persistence/bytestream.h"

namespace panolcd {

class TClipBoardStreamMan {
public:
    MemoryByteStream& Stream() { return stream_; }

    // UseClipboard on: the system clipboard holds no text; off: the stream is empty.
    bool IsEmpty() const;
    void BeginWrite();
    // Rewinds; UseClipboard on: the content goes to the system clipboard and the stream empties.
    void EndWrite();
    // UseClipboard on: the stream takes the clipboard text (empty when there is none). Rewinds.
    void BeginRead();
    // Rewinds; UseClipboard on: the stream empties.
    void EndRead();

private:
    MemoryByteStream stream_;
};

// The one manager of the process, kept in the process context.
TClipBoardStreamMan& ClipBoardStreamMan();

} // namespace panolcd
