// The Windows player: the multimedia (MCI) sequencer plays the tune from a
// temporary file, and a hidden message-only window hears when it reaches the
// end so it can start again from the beginning.
#include <windows.h>
// mmsystem.h needs the types windows.h declares.
#include <mmsystem.h>

#include <QDir>
#include <QTemporaryFile>
#include <memory>
#include <string>

#include "app/music/TunePlayer.h"

namespace {

constexpr wchar_t kWindowClass[] = L"ChannelTuneNotifyWindow";

class WinMmTunePlayer final : public TunePlayer {
  public:
    WinMmTunePlayer() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &WinMmTunePlayer::WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassW(&windowClass);  // fails harmlessly when already registered
        window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
        if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
    }

    ~WinMmTunePlayer() override {
        Stop();
        if (window_ != nullptr) DestroyWindow(window_);
    }

    void Start(const QByteArray& smf) override {
        Stop();
        playing_ = window_ != nullptr && OpenSequence(smf) && PlayFromStart();
        if (!playing_) CloseSequence();
    }

    void Stop() override {
        playing_ = false;
        CloseSequence();  // closing the sequencer sends all-notes-off to the device
    }

    bool IsPlaying() const override { return playing_; }

  private:
    bool OpenSequence(const QByteArray& smf) {
        // The sequencer reads only files, so the tune goes to a temporary one
        // that lives until the sequence is closed.
        file_ = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                 QStringLiteral("/channel_tune_XXXXXX.mid"));
        if (!file_->open() || file_->write(smf) != smf.size()) return false;
        file_->close();
        const std::wstring path = QDir::toNativeSeparators(file_->fileName()).toStdWString();
        const std::wstring command = L"open \"" + path + L"\" type sequencer alias channel_tune";
        open_ = mciSendStringW(command.c_str(), nullptr, 0, nullptr) == 0;
        return open_;
    }

    void CloseSequence() {
        if (open_) mciSendStringW(L"close channel_tune", nullptr, 0, nullptr);
        open_ = false;
        file_.reset();
    }

    bool PlayFromStart() {
        return mciSendStringW(L"play channel_tune from 0 notify", nullptr, 0, window_) == 0;
    }

    // MCI posts MM_MCINOTIFY to the window when the tune ends; a stop or close
    // arrives as aborted or superseded instead and is not restarted.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == MM_MCINOTIFY && wParam == MCI_NOTIFY_SUCCESSFUL) {
            auto* self =
                reinterpret_cast<WinMmTunePlayer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (self != nullptr && self->playing_) self->playing_ = self->PlayFromStart();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    std::unique_ptr<QTemporaryFile> file_;
    bool open_ = false;
    bool playing_ = false;
};

}  // namespace

std::unique_ptr<TunePlayer> MakePlatformTunePlayer() {
    return std::make_unique<WinMmTunePlayer>();
}
