#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>
#include <vector>

namespace channel {

// A small, strict reader of Standard MIDI Files, independent of the code
// under test, so the tests can check the tune's structure and timing.
struct SmfEvent {
    std::uint32_t tick = 0;   // absolute
    std::uint8_t status = 0;  // 0xFF for meta events
    std::uint8_t metaType = 0;
    std::vector<std::uint8_t> data;

    bool IsMeta(std::uint8_t type) const { return status == 0xFF && metaType == type; }
    bool IsChannelMessage() const { return status >= 0x80 && status < 0xF0; }
    int Channel() const { return status & 0x0F; }
    int Kind() const { return status & 0xF0; }
};

struct SmfTrack {
    std::vector<SmfEvent> events;
    std::uint32_t endTick = 0;  // tick of its End-of-Track event
};

struct SmfFile {
    int format = -1;
    int declaredTracks = 0;
    int division = 0;
    std::vector<SmfTrack> tracks;
    std::string error;  // empty when every chunk was well formed
};

// Reads the header chunk and every track chunk. A track chunk is well formed
// when its events fill it exactly and its only End-of-Track event is its last.
SmfFile ReadSmf(const QByteArray& bytes);

// Seconds from the start to the latest End-of-Track, following the tempo
// events of all tracks (500000 us per quarter note until the first one).
double DurationSeconds(const SmfFile& file);

}  // namespace channel
