#include "audio/win32/music_player.h"

#include <dshow.h>

template <typename Interface>
HRESULT MusicPlayer::QueryGraph(REFIID id, Interface** out) {
    return graph_->QueryInterface(id, reinterpret_cast<void**>(out));
}

MusicPlayer::GraphFactory MusicPlayer::graphFactory = MusicPlayer::CreateFilterGraph;

HRESULT MusicPlayer::CreateFilterGraph(IGraphBuilder** graph) {
    return CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                            reinterpret_cast<void**>(graph));
}

MusicPlayer::~MusicPlayer() {
    Close();
}

HRESULT MusicPlayer::Open(const char* path) {
    Close();
    HRESULT hr = graphFactory(&graph_);
    if (FAILED(hr)) {
        graph_ = nullptr;
        return hr;
    }
    WCHAR widePath[MAX_PATH];
    if (path == nullptr || MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) == 0) {
        return E_INVALIDARG;  // a path longer than any Windows path cannot name a file
    }
    hr = graph_->RenderFile(widePath, nullptr);
    if (FAILED(hr)) {
        return hr;  // the graph stays until the next Close
    }
    state_ = State::Stopped;
    return S_OK;
}

HRESULT MusicPlayer::Play() {
    if (state_ != State::Stopped) {
        return PlayRefused;
    }
    IMediaControl* control = nullptr;
    HRESULT hr = QueryGraph(IID_IMediaControl, &control);
    if (FAILED(hr)) {
        return hr;
    }
    hr = control->Run();
    control->Release();
    if (SUCCEEDED(hr)) {
        state_ = State::Running;
    }
    return hr;
}

HRESULT MusicPlayer::Stop() {
    if (state_ != State::Running) {
        return StopRefused;
    }
    IMediaControl* control = nullptr;
    HRESULT hr = QueryGraph(IID_IMediaControl, &control);
    if (FAILED(hr)) {
        return hr;
    }
    hr = control->Stop();
    control->Release();
    if (SUCCEEDED(hr)) {
        state_ = State::Stopped;
    }
    return hr;
}

double MusicPlayer::Position() {
    if (state_ == State::Empty) {
        return 0.0;
    }
    IMediaPosition* position = nullptr;
    if (FAILED(QueryGraph(IID_IMediaPosition, &position))) {
        return 0.0;
    }
    REFTIME seconds = 0.0;
    if (FAILED(position->get_CurrentPosition(&seconds))) {
        seconds = 0.0;
    }
    position->Release();
    return seconds;
}

HRESULT MusicPlayer::Seek(double seconds) {
    if (state_ == State::Empty) {
        return SeekRefused;
    }
    IMediaPosition* position = nullptr;
    HRESULT hr = QueryGraph(IID_IMediaPosition, &position);
    if (FAILED(hr)) {
        return hr;
    }
    hr = position->put_CurrentPosition(seconds);
    position->Release();
    return hr;
}

HRESULT MusicPlayer::Rewind() {
    if (state_ == State::Empty) {
        return RewindRefused;
    }
    Stop();
    const HRESULT hr = Seek(0.0);
    // A new pass begins: what the graph queued about the last one, its completion above
    // all, is dropped here, or the next poll would take it for the new pass's end.
    TakeEvents();
    passComplete_ = false;
    return hr;
}

// Takes every event the graph has queued and notes a completion of the current pass.
void MusicPlayer::TakeEvents() {
    IMediaEvent* events = nullptr;
    if (FAILED(QueryGraph(IID_IMediaEvent, &events))) {
        return;
    }
    const int mostEvents = 64;  // a graph that never runs dry cannot hold the caller
    long code = 0;
    LONG_PTR first = 0;
    LONG_PTR second = 0;
    for (int i = 0; i < mostEvents && events->GetEvent(&code, &first, &second, 0) == S_OK; ++i) {
        events->FreeEventParams(code, first, second);
        if (code == EC_COMPLETE) {
            passComplete_ = true;
        }
    }
    events->Release();
}

HRESULT MusicPlayer::SetVolume(long volume) {
    if (state_ == State::Empty) {
        return VolumeRefused;
    }
    if (volume < SilentVolume) {
        volume = SilentVolume;
    } else if (volume > FullVolume) {
        volume = FullVolume;
    }
    IBasicAudio* audio = nullptr;
    HRESULT hr = QueryGraph(IID_IBasicAudio, &audio);
    if (FAILED(hr)) {
        return hr;
    }
    hr = audio->put_Volume(volume);
    audio->Release();
    return hr;
}

// The completion is read from the graph's event queue, not from WaitForCompletion: the
// queue is emptied at every rewind, whereas Wine's WaitForCompletion goes on reporting
// the completion of an earlier pass after a rewind.
bool MusicPlayer::IsComplete() {
    if (state_ != State::Running) {
        return false;
    }
    TakeEvents();
    return passComplete_;
}

void MusicPlayer::Close() {
    if (graph_ != nullptr) {
        graph_->Release();
        graph_ = nullptr;
    }
    state_ = State::Empty;
    passComplete_ = false;
}
