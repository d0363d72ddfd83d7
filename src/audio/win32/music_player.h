#pragma once

#include <windows.h>

// From dshow.h, which the implementation includes; it also brings strsafe.h's bans.
struct IGraphBuilder;

// Plays one music file through a DirectShow filter graph. The caller initialises COM.
// Operations that the current state does not accept answer with a code of their own
// and change nothing.
class MusicPlayer {
public:
    enum class State { Empty, Stopped, Running };

    static constexpr HRESULT PlayRefused = static_cast<HRESULT>(0x80000000);
    static constexpr HRESULT RewindRefused = static_cast<HRESULT>(0x80000002);
    static constexpr HRESULT StopRefused = static_cast<HRESULT>(0x80000003);
    static constexpr HRESULT VolumeRefused = static_cast<HRESULT>(0x80000004);
    static constexpr HRESULT SeekRefused = static_cast<HRESULT>(0x80000005);

    // Hundredths of a decibel.
    static constexpr long SilentVolume = -10000;
    static constexpr long FullVolume = 0;

    MusicPlayer() = default;
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Builds a playback graph for the file (an ANSI path); Stopped on success.
    HRESULT Open(const char* path);
    HRESULT Play();
    // Stopping keeps the position.
    HRESULT Stop();
    // Back to the start, stopped; what the graph reported about the pass before is
    // dropped, so IsComplete answers for the next pass.
    HRESULT Rewind();
    // Seconds into the file; 0 when nothing is open or the graph cannot tell.
    double Position();
    // Moves an open file to `seconds` in; a running graph goes on playing from there.
    HRESULT Seek(double seconds);
    // Clamped into SilentVolume..FullVolume.
    HRESULT SetVolume(long volume);
    // True when a running graph has reported that the file played to its end since it was
    // opened or last rewound.
    bool IsComplete();
    void Close();

    State state() const { return state_; }

    // Makes the filter graph of every Open (CoCreateInstance of the FilterGraph class);
    // tests put one in its place that can fail.
    using GraphFactory = HRESULT (*)(IGraphBuilder** graph);
    static GraphFactory graphFactory;
    static HRESULT CreateFilterGraph(IGraphBuilder** graph);
    IGraphBuilder* graph() const { return graph_; }

private:
    void TakeEvents();
    template <typename Interface>
    HRESULT QueryGraph(REFIID id, Interface** out);

    IGraphBuilder* graph_ = nullptr;
    State state_ = State::Empty;
    bool passComplete_ = false;  // the graph reported the end of the pass since the last rewind
};
