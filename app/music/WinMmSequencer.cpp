#include "app/music/WinMmSequencer.h"

#include <windows.h>
// mmsystem.h needs the types windows.h declares.
#include <mmsystem.h>

namespace channel {

namespace {

constexpr wchar_t kWindowClass[] = L"ChannelTuneNotifyWindow";

// Writes `bytes` to a new temporary file and returns its name, or "" when that
// failed (a partial file is then removed again).
std::wstring WriteTemporaryFile(std::string_view bytes) {
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"chn", 0, name) == 0) {
        return {};
    }
    HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
    DWORD written = 0;
    const bool complete =
        file != INVALID_HANDLE_VALUE &&
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!complete) {
        DeleteFileW(name);
        return {};
    }
    return name;
}

// MCI posts MM_MCINOTIFY to the window when the tune ends; a stop or close
// arrives as aborted or superseded instead and is not restarted.
LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MCINOTIFY && wParam == MCI_NOTIFY_SUCCESSFUL) {
        auto* self = reinterpret_cast<WinMmSequencer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr) self->OnTuneEnded();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND WindowOf(void* window) {
    return static_cast<HWND>(window);
}

}  // namespace

WinMmSequencer::WinMmSequencer() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &NotifyWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    if (window_ != nullptr) SetWindowLongPtrW(WindowOf(window_), GWLP_USERDATA, LONG_PTR(this));
}

WinMmSequencer::~WinMmSequencer() {
    Stop();
    if (window_ != nullptr) DestroyWindow(WindowOf(window_));
}

void WinMmSequencer::Start(std::string_view smf) {
    Stop();
    playing_ = window_ != nullptr && OpenSequence(smf) && PlayFromStart();
    if (!playing_) CloseSequence();
}

void WinMmSequencer::Stop() {
    playing_ = false;
    CloseSequence();  // closing the sequencer sends all-notes-off to the device
}

bool WinMmSequencer::OpenSequence(std::string_view smf) {
    // The sequencer reads only files, so the tune goes to a temporary one that
    // lives until the sequence is closed.
    file_ = WriteTemporaryFile(smf);
    if (file_.empty()) return false;
    const std::wstring command = L"open \"" + file_ + L"\" type sequencer alias channel_tune";
    open_ = mciSendStringW(command.c_str(), nullptr, 0, nullptr) == 0;
    return open_;
}

void WinMmSequencer::CloseSequence() {
    if (open_) mciSendStringW(L"close channel_tune", nullptr, 0, nullptr);
    open_ = false;
    if (!file_.empty()) DeleteFileW(file_.c_str());
    file_.clear();
}

bool WinMmSequencer::PlayFromStart() {
    return mciSendStringW(L"play channel_tune from 0 notify", nullptr, 0, WindowOf(window_)) == 0;
}

void WinMmSequencer::OnTuneEnded() {
    if (playing_) playing_ = PlayFromStart();
}

}  // namespace channel
