// The Windows player: the multimedia sequencer (WinMmSequencer) behind the
// player interface.
#include <string_view>

#include "app/music/TunePlayer.h"
#include "app/music/WinMmSequencer.h"

namespace channel {

namespace {

class WinMmTunePlayer final : public TunePlayer {
  public:
    void Start(const QByteArray& smf) override {
        sequencer_.Start(std::string_view(smf.constData(), static_cast<std::size_t>(smf.size())));
    }
    void Stop() override { sequencer_.Stop(); }
    bool IsPlaying() const override { return sequencer_.IsPlaying(); }

  private:
    WinMmSequencer sequencer_;
};

}  // namespace

std::unique_ptr<TunePlayer> MakePlatformTunePlayer() {
    return std::make_unique<WinMmTunePlayer>();
}

}  // namespace channel
