#include <gtest/gtest.h>

#include <QFile>
#include <map>
#include <set>

#include "SmfReader.h"
#include "app/music/EmbeddedTune.h"

namespace channel {

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

}  // namespace

}  // namespace channel
