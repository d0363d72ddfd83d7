#include "audio/music_player.h"

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

HRESULT MusicPlayer::Rewind() {
    if (state_ == State::Empty) {
        return RewindRefused;
    }
    Stop();
    IMediaPosition* position = nullptr;
    HRESULT hr = QueryGraph(IID_IMediaPosition, &position);
    if (FAILED(hr)) {
        return hr;
    }
    hr = position->put_CurrentPosition(0.0);
    position->Release();
    return hr;
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

bool MusicPlayer::IsComplete() {
    if (state_ != State::Running) {
        return false;
    }
    IMediaEvent* events = nullptr;
    if (FAILED(QueryGraph(IID_IMediaEvent, &events))) {
        return false;
    }
    long eventCode = 0;
    const HRESULT hr = events->WaitForCompletion(0, &eventCode);
    events->Release();
    return SUCCEEDED(hr) && eventCode == EC_COMPLETE && PlayedToTheEnd();
}

// Some DirectShow implementations (Wine's among them) go on reporting the completion of
// an earlier pass after a rewind; the position tells whether this pass has ended too.
bool MusicPlayer::PlayedToTheEnd() {
    IMediaPosition* position = nullptr;
    if (FAILED(QueryGraph(IID_IMediaPosition, &position))) {
        return true;  // nothing to contradict the graph's own report
    }
    REFTIME current = 0.0;
    REFTIME duration = 0.0;
    const bool known = SUCCEEDED(position->get_CurrentPosition(&current)) &&
                       SUCCEEDED(position->get_Duration(&duration)) && duration > 0.0;
    position->Release();
    return !known || current >= duration - 0.05;
}

void MusicPlayer::Close() {
    if (graph_ != nullptr) {
        graph_->Release();
        graph_ = nullptr;
    }
    state_ = State::Empty;
}
