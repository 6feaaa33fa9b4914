#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "SmfReader.h"
#include "app/music/EmbeddedTune.h"
#include "app/music/FluidTuneSynth.h"
#include "app/music/GeneralMidiSoundFont.h"

namespace channel {

namespace {

// Offline rendering through the real FluidSynth and the installed SoundFont.
// A lower sample rate than the live one keeps the long renders quick; the
// player's clock follows the samples either way.
constexpr double kSampleRate = 22050.0;
constexpr int kBlock = 256;
// The tune's quietest passages stay several times above this; a synth that
// plays no notes stays below a millionth.
constexpr double kAudibleRms = 0.005;
// After Stop only a trace of the effect units may remain, some 40 dB below
// the tune.
constexpr double kSilentRms = 5e-4;
constexpr float kSilentPeak = 0.01f;

struct Loudness {
    double sumOfSquares = 0.0;
    long samples = 0;
    float peak = 0.0f;

    void Add(const std::vector<float>& channel) {
        for (float sample : channel) {
            sumOfSquares += double(sample) * sample;
            peak = std::max(peak, std::abs(sample));
        }
        samples += static_cast<long>(channel.size());
    }
    double Rms() const {
        return samples == 0 ? 0.0 : std::sqrt(sumOfSquares / static_cast<double>(samples));
    }
};

class RenderedTune : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(FindGeneralMidiSoundFont().empty()) << "install timgm6mb-soundfont";
        synth_ = std::make_unique<FluidTuneSynth>(FindGeneralMidiSoundFont(), kSampleRate);
        ASSERT_TRUE(synth_->IsReady());
    }

    Loudness RenderSeconds(double seconds) {
        Loudness loudness;
        for (long frames = 0; frames < long(seconds * kSampleRate); frames += kBlock) {
            RenderBlock(loudness);
        }
        return loudness;
    }

    void RenderBlock(Loudness& loudness) {
        std::vector<float> left(kBlock);
        std::vector<float> right(kBlock);
        synth_->Render(left.data(), right.data(), kBlock);
        loudness.Add(left);
        loudness.Add(right);
    }

    std::unique_ptr<FluidTuneSynth> synth_;
};

TEST_F(RenderedTune, OnePassSoundsAndLastsAsLongAsTheTempoMapSays) {
    const QByteArray tune = EmbeddedTune();
    const double expectedSeconds = DurationSeconds(ReadSmf(tune));
    ASSERT_GT(expectedSeconds, 0.0);

    synth_->Play(tune);
    ASSERT_TRUE(synth_->IsPlaying());
    Loudness pass;
    long frames = 0;
    int lastTick = 0;
    bool wrapped = false;
    // The position falls back to the start when the player loops.
    while (!wrapped && frames < long((expectedSeconds + 10.0) * kSampleRate)) {
        RenderBlock(pass);
        frames += kBlock;
        wrapped = synth_->PositionTicks() < lastTick;
        lastTick = synth_->PositionTicks();
    }
    ASSERT_TRUE(wrapped) << "no loop within " << static_cast<double>(frames) / kSampleRate << " s";
    EXPECT_NEAR(frames / kSampleRate, expectedSeconds, 1.0);
    EXPECT_GT(pass.Rms(), kAudibleRms);
    EXPECT_LT(pass.peak, 1.0f) << "clipping";

    EXPECT_TRUE(synth_->IsPlaying());
    EXPECT_GT(RenderSeconds(3.0).Rms(), kAudibleRms) << "the second pass is silent";
}

TEST_F(RenderedTune, StopSilencesAtOnce) {
    synth_->Play(EmbeddedTune());
    // Twenty seconds in, the flute, harp, bass and pad all sound.
    RenderSeconds(20.0);
    ASSERT_GT(RenderSeconds(1.0).Rms(), kAudibleRms);

    synth_->Stop();
    EXPECT_FALSE(synth_->IsPlaying());
    const Loudness afterStop = RenderSeconds(1.0);
    EXPECT_LT(afterStop.Rms(), kSilentRms);
    EXPECT_LT(afterStop.peak, kSilentPeak);
}

TEST_F(RenderedTune, PlayAfterStopStartsAgainFromTheBeginning) {
    synth_->Play(EmbeddedTune());
    RenderSeconds(30.0);
    synth_->Stop();

    synth_->Play(EmbeddedTune());
    EXPECT_TRUE(synth_->IsPlaying());
    EXPECT_EQ(synth_->PositionTicks(), 0);
    EXPECT_GT(RenderSeconds(2.0).Rms(), kAudibleRms);
    // Two seconds at the opening 72 quarter notes a minute, 120 ticks each.
    EXPECT_NEAR(synth_->PositionTicks(), 2.0 * 72 / 60 * 120, 10);
}

TEST(FluidTuneSynth, WithoutASoundFontStaysSilentAndQuiet) {
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    FluidTuneSynth synth("/nonexistent/General MIDI.sf2", kSampleRate);
    synth.Play(EmbeddedTune());
    std::vector<float> left(kBlock, 1.0f);
    std::vector<float> right(kBlock, 1.0f);
    synth.Render(left.data(), right.data(), kBlock);
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();

    EXPECT_FALSE(synth.IsReady());
    EXPECT_FALSE(synth.IsPlaying());
    Loudness loudness;
    loudness.Add(left);
    loudness.Add(right);
    EXPECT_LT(loudness.peak, 1e-6f);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
}

}  // namespace

}  // namespace channel
