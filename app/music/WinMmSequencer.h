#pragma once

#include <string>
#include <string_view>

namespace channel {

// Plays one Standard MIDI File through the Windows multimedia (MCI) sequencer
// from a temporary file, looping: a hidden message-only window hears when the
// tune reaches its end and starts it again from the beginning. Without a MIDI
// device nothing plays and IsPlaying() stays false. Windows only; no Qt.
class WinMmSequencer {
  public:
    WinMmSequencer();
    ~WinMmSequencer();
    WinMmSequencer(const WinMmSequencer&) = delete;
    WinMmSequencer& operator=(const WinMmSequencer&) = delete;

    void Start(std::string_view smf);  // from the beginning
    void Stop();                       // silence at once
    bool IsPlaying() const { return playing_; }
    // The sequencer reached the end of the tune: again from the beginning,
    // unless it has been stopped meanwhile.
    void OnTuneEnded();

  private:
    bool OpenSequence(std::string_view smf);
    void CloseSequence();
    bool PlayFromStart();

    void* window_ = nullptr;  // the notification window (an HWND); windows.h stays out of here
    std::wstring file_;       // the temporary copy of the tune, while it exists
    bool open_ = false;
    bool playing_ = false;
};

}  // namespace channel
