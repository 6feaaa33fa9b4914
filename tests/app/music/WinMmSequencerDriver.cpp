// Drives the Windows tune player's sequencer the way the music commands do,
// under Wine on a machine without a sound card: open, play, stop, restart,
// restart while playing, and destroy while playing, pumping the window
// messages MCI notifies through. It must not crash, must stop when told and
// must leave no temporary copy of the tune behind.
//   tune-driver <tune.mid>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "app/music/WinMmSequencer.h"

namespace channel {

namespace {

void PumpMessages(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
}

int TemporaryTunes() {
    wchar_t folder[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, folder);
    const std::wstring pattern = std::wstring(folder) + L"chn*.tmp";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

int failures = 0;

void Expect(bool condition, const char* what) {
    std::printf("%s %s\n", condition ? "ok  " : "FAIL", what);
    if (!condition) ++failures;
}

}  // namespace

}  // namespace channel

using namespace channel;

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 2) return 2;
    std::ifstream file(argv[1], std::ios::binary);
    const std::string tune((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    if (tune.size() < 14 || tune.compare(0, 4, "MThd") != 0) return 2;
    const int before = TemporaryTunes();
    {
        WinMmSequencer sequencer;
        sequencer.Start(tune);
        std::printf("the sequencer %s\n", sequencer.IsPlaying() ? "plays" : "cannot play here");
        PumpMessages(300);
        sequencer.Stop();
        Expect(!sequencer.IsPlaying(), "stopped after Stop");
        sequencer.Stop();
        Expect(!sequencer.IsPlaying(), "a second Stop is harmless");
        sequencer.OnTuneEnded();
        Expect(!sequencer.IsPlaying(), "the end of a stopped tune does not restart it");
        sequencer.Start(tune);
        PumpMessages(200);
        sequencer.Start(tune);  // restart while playing
        PumpMessages(200);
        sequencer.Start("not a MIDI file");
        Expect(!sequencer.IsPlaying(), "a broken tune does not play");
        sequencer.Start(tune);
        PumpMessages(200);
        // Destroyed while playing.
    }
    Expect(TemporaryTunes() == before, "no temporary copy of the tune is left");
    {
        WinMmSequencer again;
        again.Start(tune);
        PumpMessages(100);
    }
    Expect(TemporaryTunes() == before, "a second player cleans up too");
    std::printf("tune: %s\n", failures == 0 ? "ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
