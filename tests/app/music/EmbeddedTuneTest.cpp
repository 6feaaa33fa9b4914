#include <gtest/gtest.h>

#include <QFile>
#include <map>
#include <set>

#include "SmfReader.h"
#include "app/music/EmbeddedTune.h"

namespace {

constexpr int kConductor = 0;
constexpr int kPercussionChannel = 9;

SmfFile ReadEmbeddedTune() {
    return ReadSmf(EmbeddedTune());
}

TEST(EmbeddedTune, IsTheCommittedFile) {
    QFile committed(QStringLiteral(CHANNEL_COMMITTED_TUNE));
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly));
    const QByteArray tune = EmbeddedTune();
    EXPECT_FALSE(tune.isEmpty());
    EXPECT_EQ(tune, committed.readAll());
}

TEST(EmbeddedTune, IsFormatOneWithTenTracksAt120TicksPerQuarter) {
    const SmfFile tune = ReadEmbeddedTune();
    ASSERT_EQ(tune.error, "");
    EXPECT_EQ(tune.format, 1);
    EXPECT_EQ(tune.declaredTracks, 10);
    EXPECT_EQ(tune.tracks.size(), 10u);
    EXPECT_EQ(tune.division, 120);
}

TEST(EmbeddedTune, LastsOneToTwoMinutes) {
    const SmfFile tune = ReadEmbeddedTune();
    ASSERT_EQ(tune.error, "");
    const double seconds = DurationSeconds(tune);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
}

TEST(EmbeddedTune, ConductorTrackHoldsTheTempoMapAndNoNotes) {
    const SmfFile tune = ReadEmbeddedTune();
    ASSERT_EQ(tune.error, "");
    const SmfTrack& conductor = tune.tracks[kConductor];
    ASSERT_FALSE(conductor.events.empty());
    bool tempoAtStart = false;
    for (const SmfEvent& event : conductor.events) {
        EXPECT_FALSE(event.IsChannelMessage()) << "at tick " << event.tick;
        if (event.IsMeta(0x51) && event.tick == 0) tempoAtStart = true;
    }
    EXPECT_TRUE(tempoAtStart);
}

// Each instrument track plays on a channel of its own, chooses its General
// MIDI program, and releases every note before it ends, so no note hangs
// over the loop back to the beginning.
TEST(EmbeddedTune, InstrumentTracksEachOwnAChannelAndReleaseEveryNote) {
    const SmfFile tune = ReadEmbeddedTune();
    ASSERT_EQ(tune.error, "");
    std::set<int> channelsInUse;
    for (std::size_t index = kConductor + 1; index < tune.tracks.size(); ++index) {
        SCOPED_TRACE("track " + std::to_string(index));
        const SmfTrack& track = tune.tracks[index];
        std::set<int> channels;
        std::map<int, int> sounding;  // key -> note-ons not yet released
        int notes = 0;
        bool programChosen = false;
        for (const SmfEvent& event : track.events) {
            if (!event.IsChannelMessage()) continue;
            channels.insert(event.Channel());
            if (event.Kind() == 0xC0) programChosen = true;
            const bool noteOn = event.Kind() == 0x90 && event.data[1] > 0;
            const bool noteOff =
                event.Kind() == 0x80 || (event.Kind() == 0x90 && event.data[1] == 0);
            if (noteOn) {
                ++notes;
                EXPECT_EQ(sounding[event.data[0]]++, 0)
                    << "key struck again while sounding at " << event.tick;
            } else if (noteOff) {
                EXPECT_EQ(sounding[event.data[0]]--, 1)
                    << "release without a note at " << event.tick;
            }
        }
        EXPECT_GT(notes, 0);
        ASSERT_EQ(channels.size(), 1u);
        const int channel = *channels.begin();
        EXPECT_TRUE(channelsInUse.insert(channel).second) << "channel " << channel << " shared";
        if (channel != kPercussionChannel) {
            EXPECT_TRUE(programChosen);
        }
        for (const auto& [key, count] : sounding) {
            EXPECT_EQ(count, 0) << "key " << key << " left sounding";
        }
    }
}

// The reader's verdict is what the structure tests rely on, so it must
// reject broken chunks rather than read past them.
TEST(SmfReader, RejectsDamagedTracks) {
    const QByteArray tune = EmbeddedTune();
    ASSERT_EQ(ReadSmf(tune).error, "");
    const qsizetype endOfTrack = tune.lastIndexOf(QByteArray("\xFF\x2F\x00", 3));
    ASSERT_EQ(endOfTrack, tune.size() - 3);

    QByteArray truncated = tune.left(tune.size() - 1);
    QByteArray withoutEnd = tune;
    withoutEnd[endOfTrack + 1] = 0x01;  // the last End-of-Track becomes an empty text event
    QByteArray missingTrack = tune;
    missingTrack[11] = 11;  // the header declares one track more than there are

    EXPECT_NE(ReadSmf(truncated).error, "");
    EXPECT_EQ(ReadSmf(withoutEnd).error, "track 9: no End-of-Track");
    EXPECT_NE(ReadSmf(missingTrack).error, "");
}

TEST(SmfReader, DurationFollowsTempoChanges) {
    // One quarter at 120 bpm, then one quarter at 60 bpm: 1.5 s.
    const QByteArray smf = QByteArray::fromHex(
        "4d546864000000060001000100f0"
        "4d54726b00000014"
        "00ff510307a120"    // 500000 us per quarter
        "8170ff51030f4240"  // after 240 ticks: 1000000 us per quarter
        "8170ff2f00");      // End-of-Track 240 ticks later
    const SmfFile file = ReadSmf(smf);
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.division, 240);
    EXPECT_DOUBLE_EQ(DurationSeconds(file), 1.5);
}

}  // namespace
