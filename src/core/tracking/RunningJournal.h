#pragma once

#include "core/Status.h"
#include "core/store/FileSystem.h"
#include "core/tracking/RunningEntry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The journal of the running projects, beside the file set (base path + "run"), so that a
// crash, a kill or a logout loses no running time. No record operation reads it.
//
// Layout (little-endian, 32 + 12 * count bytes):
//    offset    size  field
//         0       4  magic "QLRN"
//         4       4  int32   version, 3
//         8       4  int32   heartbeat: when the program was last seen running
//        12       4  int32   paused, 0 or 1
//        16       4  int32   pause reference
//        20       4  int32   count of running entries, 0 to 5
//        24  12 * n  int32 project id, int32 start, int32 checked in, per entry in check-in order
//  24 + 12n       4  int32   away since: when the user's absence began, 0 while present
//  28 + 12n       4  uint32  CRC-32 of every byte before it
// The entries stay where version 2 had them, so tools that read a journal's entries by their
// offsets read both. Version 2 is the same without "away since" (28 + 12 * count bytes),
// version 1 also has 8-byte entries (project id, start; 28 + 8 * count bytes): both are still
// read, as present, and version 1 with each entry checked in at its start.
namespace ql {

struct JournalState {
    std::vector<RunningEntry> entries;
    bool paused = false;
    std::int32_t pauseReference = 0;
    std::int32_t heartbeat = 0;
    // When the absence the user is in began; 0 while present.
    std::int32_t awaySince = 0;

    bool operator==(const JournalState&) const = default;
};

// The bytes of the layout above, version 3. At most five entries are stored.
std::vector<unsigned char> encodeJournal(const JournalState& state);

// The state the bytes hold, of version 3, 2 or 1; nullopt for anything that is not exactly one
// whole journal (torn, padded, garbage, another version, a bad checksum, more than five
// entries).
std::optional<JournalState> decodeJournal(const unsigned char* bytes, std::size_t size);

// "Cannot read running projects file : " + path, reported when a journal is not whole.
Message journalReadMessage(const std::string& path);
// "Cannot write running projects file : " + path.
Message journalWriteMessage(const std::string& path);

// The journal at path: nullopt when there is none; a failure (journalReadMessage) when it
// cannot be read or does not decode. Reads at most one journal's largest size plus one byte.
Result<std::optional<JournalState>> readJournal(FileSystem& fs, const std::string& path);

// What sits at path (links followed) when it is there but can never be a journal: a FIFO, a
// folder or a device, as its kind and identity in one text, so a caller can tell later
// whether the same thing is still there. nullopt for a regular file, for nothing, and when
// path cannot be looked at.
std::optional<std::string> unusableJournalMark(FileSystem& fs, const std::string& path);

// Replaces the journal at path crash-safely: a temporary file of its own (base path + "tmp"
// + a unique suffix) is written, synced and renamed over it, so a reader finds the old
// journal or the new one, never a mix. On failure the old journal is left as it was, the
// temporary file is removed and journalWriteMessage is returned (with the system's reason).
// What unusableJournalMark names is refused untouched.
Status writeJournal(FileSystem& fs, const std::string& path, const JournalState& state);

// Removes the journal at path; no journal is not a failure.
Status removeJournal(FileSystem& fs, const std::string& path);

}  // namespace ql
