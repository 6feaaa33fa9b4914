#include "SmfReader.h"

#include <algorithm>
#include <map>

namespace channel {

namespace {

class ByteCursor {
  public:
    ByteCursor(const QByteArray& bytes, qsizetype begin, qsizetype end)
        : bytes_(bytes), position_(begin), end_(end) {}

    bool AtEnd() const { return position_ >= end_; }
    qsizetype Position() const { return position_; }
    bool Byte(std::uint8_t& out) {
        if (AtEnd()) return false;
        out = static_cast<std::uint8_t>(bytes_[position_++]);
        return true;
    }
    bool Bytes(std::size_t count, std::vector<std::uint8_t>& out) {
        if (static_cast<qsizetype>(count) > end_ - position_) return false;
        out.assign(bytes_.begin() + position_, bytes_.begin() + position_ + count);
        position_ += static_cast<qsizetype>(count);
        return true;
    }
    bool BigEndian(int size, std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < size; ++i) {
            std::uint8_t byte = 0;
            if (!Byte(byte)) return false;
            out = (out << 8) | byte;
        }
        return true;
    }
    // A variable-length quantity has at most four bytes.
    bool VariableLength(std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t byte = 0;
            if (!Byte(byte)) return false;
            out = (out << 7) | (byte & 0x7F);
            if ((byte & 0x80) == 0) return true;
        }
        return false;
    }

  private:
    const QByteArray& bytes_;
    qsizetype position_;
    qsizetype end_;
};

int ChannelDataBytes(std::uint8_t status) {
    const int kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

std::string ReadTrack(ByteCursor cursor, SmfTrack& track) {
    std::uint32_t tick = 0;
    std::uint8_t runningStatus = 0;
    bool ended = false;
    while (!cursor.AtEnd()) {
        if (ended) return "events after End-of-Track";
        std::uint32_t delta = 0;
        SmfEvent event;
        if (!cursor.VariableLength(delta) || !cursor.Byte(event.status)) return "truncated event";
        tick += delta;
        event.tick = tick;
        if (event.status == 0xFF) {
            std::uint32_t length = 0;
            if (!cursor.Byte(event.metaType) || !cursor.VariableLength(length) ||
                !cursor.Bytes(length, event.data)) {
                return "truncated meta event";
            }
            if (event.metaType == 0x2F) {
                if (length != 0) return "End-of-Track with data";
                ended = true;
                track.endTick = tick;
            }
        } else if (event.status == 0xF0 || event.status == 0xF7) {
            std::uint32_t length = 0;
            if (!cursor.VariableLength(length) || !cursor.Bytes(length, event.data)) {
                return "truncated system exclusive event";
            }
        } else {
            std::vector<std::uint8_t> data;
            if (event.status < 0x80) {  // running status: this byte is data
                if (runningStatus == 0) return "data byte without a status";
                data.push_back(event.status);
                event.status = runningStatus;
            }
            runningStatus = event.status;
            std::vector<std::uint8_t> rest;
            if (!cursor.Bytes(ChannelDataBytes(event.status) - data.size(), rest)) {
                return "truncated channel message";
            }
            data.insert(data.end(), rest.begin(), rest.end());
            for (std::uint8_t byte : data) {
                if (byte >= 0x80) return "status byte inside a channel message";
            }
            event.data = std::move(data);
        }
        track.events.push_back(std::move(event));
    }
    return ended ? std::string() : "no End-of-Track";
}

}  // namespace

SmfFile ReadSmf(const QByteArray& bytes) {
    SmfFile file;
    ByteCursor header(bytes, 0, bytes.size());
    std::vector<std::uint8_t> id;
    std::uint32_t length = 0;
    std::uint32_t format = 0;
    std::uint32_t tracks = 0;
    std::uint32_t division = 0;
    if (!header.Bytes(4, id) || id != std::vector<std::uint8_t>{'M', 'T', 'h', 'd'} ||
        !header.BigEndian(4, length) || length != 6 || !header.BigEndian(2, format) ||
        !header.BigEndian(2, tracks) || !header.BigEndian(2, division)) {
        file.error = "bad header chunk";
        return file;
    }
    file.format = static_cast<int>(format);
    file.declaredTracks = static_cast<int>(tracks);
    file.division = static_cast<int>(division);

    qsizetype position = header.Position();
    while (position < bytes.size()) {
        ByteCursor chunk(bytes, position, bytes.size());
        const int index = static_cast<int>(file.tracks.size());
        if (!chunk.Bytes(4, id) || id != std::vector<std::uint8_t>{'M', 'T', 'r', 'k'} ||
            !chunk.BigEndian(4, length) || qsizetype(length) > bytes.size() - chunk.Position()) {
            file.error = "track " + std::to_string(index) + ": bad chunk header or length";
            return file;
        }
        SmfTrack track;
        const std::string error =
            ReadTrack(ByteCursor(bytes, chunk.Position(), chunk.Position() + length), track);
        if (!error.empty()) {
            file.error = "track " + std::to_string(index) + ": " + error;
            return file;
        }
        file.tracks.push_back(std::move(track));
        position = chunk.Position() + length;
    }
    if (static_cast<int>(file.tracks.size()) != file.declaredTracks) {
        file.error = "header declares " + std::to_string(file.declaredTracks) +
                     " tracks, file has " + std::to_string(file.tracks.size());
    }
    return file;
}

double DurationSeconds(const SmfFile& file) {
    std::map<std::uint32_t, std::uint32_t> tempoAt;  // tick -> microseconds per quarter note
    std::uint32_t endTick = 0;
    for (const SmfTrack& track : file.tracks) {
        endTick = std::max(endTick, track.endTick);
        for (const SmfEvent& event : track.events) {
            if (event.IsMeta(0x51) && event.data.size() == 3) {
                tempoAt[event.tick] = (event.data[0] << 16) | (event.data[1] << 8) | event.data[2];
            }
        }
    }
    double seconds = 0.0;
    std::uint32_t tick = 0;
    std::uint32_t tempo = 500000;
    for (const auto& [changeTick, newTempo] : tempoAt) {
        if (changeTick >= endTick) break;
        seconds += double(changeTick - tick) * tempo / 1e6 / file.division;
        tick = changeTick;
        tempo = newTempo;
    }
    return seconds + double(endTick - tick) * tempo / 1e6 / file.division;
}

}  // namespace channel
